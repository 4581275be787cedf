// The embedded resources (icons, world map image, help text) of the application library.
#pragma once

// Registers the resources once; they live in a static library, whose resource object the linker
// would otherwise leave out.
void initOrbikaResources();
