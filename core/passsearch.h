// Pass search: when a satellite is in view of the site, pass by pass.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/records.h"

// One pass: instants (MJD, UT) of start [0], maximum [1] and end [2], each with elevation and
// azimuth in degrees. In relative mode start and end carry the prime's latitude (el) and
// longitude (az) instead; the maximum always carries elevation and azimuth.
struct PassEvent {
    double tm[3];
    double el[3];
    double az[3];
};

// Name of the satellite in slot without the blanks that pad it.
std::string SatName(const WinpData* in, int slot);

// Start instant (MJD, UT) of the pass searches: the local start date and time less the time zone.
double ListStartMjd(const WinpData* in);

// First pass of slot beginning in [t0, t1] (MJD, UT): tm, el, az as in PassEvent. Returns 1
// when found, 0 when none. With passcont set the pass in progress at t0 is stepped over first.
// With an event type (iridmode) the pass is handed to the event search GetIrid: 1 when it holds
// an event (described by tm, el, az as GetIrid's tm, a, b), 2 when not.
int nextpass(WinpData* in, int slot, double t0, double t1, double tm[3], double el[3], double az[3],
             SatPosData* sp = satps);

// Latest pass of slot before t0 and after t1 (t1 < t0): tm[0] is its end, tm[2] its beginning.
// Returns 1 when found, 0 when none. With passcont set the pass in progress at t0 is skipped.
int lastpass(WinpData* in, int slot, double t0, double t1, double tm[3], double el[3], double az[3],
             SatPosData* sp = satps);

// Steps back from t (MJD) one minute at a time while slot stays visible; returns the first
// instant at which it is not, or the first step before tmin.
double gpassbeg(WinpData* in, SatPosData* sp, int slot, double t, double tmin);
// Steps forward from t one minute at a time while slot stays visible; returns the first
// instant at which it is not, or the first step after tmax.
double gpassend(WinpData* in, SatPosData* sp, int slot, double t, double tmax);

// True when slot can never be above minsatelev from the site: its orbit never comes close enough
// to the site's latitude, judged from its inclination and apogee with generous margins.
bool CannotRise(const WinpData* in, int slot);

// Calls visit for every pass (with an event type: every event) of slot beginning in [t0, t1],
// in time order, as the pass lists search them: each search starts one minute after the
// previous end, one hour later still for satellites of more than 14 revolutions per day outside
// relative mode.
void ScanPasses(WinpData* in, int slot, double t0, double t1, const std::function<void(const PassEvent&)>& visit,
                SatPosData* sp = satps);
// The passes (events) that ScanPasses visits.
std::vector<PassEvent> FindPasses(WinpData* in, int slot, double t0, double t1,
                                  SatPosData* sp = satps);

// True for a slot of the state record.
bool StateSlot(int slot);
