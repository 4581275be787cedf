// The events of a satellite's passes: transits, occultations and flares found pass by pass.
#pragma once

#include <vector>

#include "core/iridium.h"
#include "core/records.h"

// Events of slot in the passes beginning in [t0, t1] (MJD UT), in time order; Iridium events of
// both runs when irpanel is set. With defaulted, Sun and Moon transits are kept only when the site
// lies inside the transit zone.
std::vector<EventHit> FindEvents(WinpData* in, int slot, double t0, double t1, bool defaulted,
                                 SatPosData* sp = satps);
