// Event types of the pass searches and the operational orbits of the Iridium orbit model.
#pragma once

// Event types of the pass searches (iridmode): plain passes, transits or occultations of the
// occmode target, flares of a known surface, Iridium flares.
constexpr int kPlainPasses = 0;
constexpr int kTransitMode = 1;
constexpr int kFlareMode = 2;
constexpr int kIridiumMode = 3;

// Semi-major axes (km) of the operational Iridium orbits in the simple orbit model.
constexpr double kIridiumMinSma = 7150.0;
constexpr double kIridiumMaxSma = 7159.9;
