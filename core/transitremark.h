// The remark of a Sun or Moon transit in the pass lists: width of the transit zone, duration and
// position angle, found from the satellite's motion.
#pragma once

#include "core/records.h"

// Bytes of the transit remark written by SunMoonTr, terminator included.
constexpr int kTransitTextBytes = 48;

// Remark of a Sun or Moon transit of slot at t (MJD UT) whose centre line passes dist km from the
// site, into buf (kTransitTextBytes): half width of the transit zone (km, at most 50 with '>'
// before it when wider), duration (s) and position angle of the motion (degrees); a single
// blank when the duration is below 0.05 s or above 30 s. With defaulted, result becomes 1 when
// the site lies inside the zone (half width at least dist), else 2. The site and relative mode
// of the settings are restored afterwards; sp holds the last evaluation.
void SunMoonTr(WinpData* in, double t, int slot, double dist, int defaulted, int& result, char* buf,
               SatPosData* sp = satps);
