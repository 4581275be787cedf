// Copying one satellite slot of the settings record into another.
#pragma once

#include "core/records.h"

// Copies every per-slot field of slot from into slot to, except the search name; sgpslot = 9999.
void ShiftElm(WinpData* in, int to, int from);
