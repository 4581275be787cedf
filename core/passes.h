// Pass prediction: when a satellite is in view of the site, the pass list of the prime satellite,
// the passes of every satellite of a TLE file, and the next satellites to pass.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/iridium.h"
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

// Writes the pass list page of the prime satellite over [start, start + duration] into out, or
// with an event type (iridmode) its events; npass and passaos receive the listed passes (at most
// kMaxPasses start instants). With autosave the page is also written to the save file.
void aospass(WinpData* in, WoutData* out, SatPosData* sp = satps);

// Selects up to kMaxSat satellites of the TLE file that begin a pass within the next 0.1 day
// of the current time, sorted by start. Returns their number, -1 when the TLE file cannot be
// opened.
int Nxt4Pass(WinpData* in, SatPosData* sp = satps);

// Results of AllSatAos.
constexpr int kAllSatDone = 0;
constexpr int kAllSatSaveFailed = 1;
constexpr int kAllSatTleFailed = 2;
constexpr int kAllSatRefused = -1;

// Writes the passes (or events) of every satellite of the TLE file to the save file, sorted by
// time. Returns kAllSatDone on success, kAllSatSaveFailed when the save file cannot be written,
// kAllSatTleFailed when the TLE file cannot be, kAllSatRefused when the event settings are unusable (no distance for occultations or flares, an Iridium
// magnitude limit above kFaintestFlareLimit). Satellites with a transit listed by the default
// zone rule are added to the selection. With onEvent, every event found is also handed to it with
// the working slot that holds its satellite. Plain passes are searched by threads workers (each
// with its own copies of the records) when it is above 1; the file is the same.
int AllSatAos(WinpData* in, SatPosData* sp = satps,
              const std::function<void(const EventHit&, int slot)>& onEvent = nullptr, int threads = 1);

// Sorts the pass lines of the save file by month, day and time, keeping its header lines first;
// replaces it through a temporary file beside it. Returns true on success.
bool SortAos(const WinpData* in);
