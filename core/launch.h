// The orbit reached by a launch from a site at the start instant, optionally timed so that it
// meets the orbit plane of another satellite (rendezvous).
#pragma once

#include "core/records.h"

// Nodal drift (rad/day) of slot's orbit under the secular J2 term.
double NodalDrift(const WinpData* in, int slot);

// Rewrites the prime satellite's elements for a launch at the start instant from the site
// lnchlat, lnchlon (degrees) in the northerly (or with lnchsouth southerly) direction with the
// cut-off time lnchmeco (minutes), into the inclination, eccentricity, mean motion and
// semi-major axis already in the prime slot; sets the launch azimuth lnchazim (degrees from
// north, 0 to 360). With rdvsel >= 0 the launch instant moves (by at most half a sidereal day)
// so that the orbit's node meets that of slot rdvslot rdvtime days after the launch, and the
// start instant follows it. SGP4 slots receive SGP4 mean elements; the epoch and current state
// are filled from the elements.
void LaunchOrb(WinpData* in);
