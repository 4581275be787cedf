// Event search within a pass (transits, occultations, flares of a known surface, Iridium
// flares), the event lines of the pass lists and the Iridium flare page.
#pragma once

#include <string>
#include <vector>

#include "core/eventkinds.h"
#include "core/records.h"

// One event found within a pass.
struct EventHit {
    double start;       // start of the pass, MJD UT
    double t;           // instant of the event, MJD UT
    double az, el;      // azimuth and elevation at the event, degrees
    double value;       // centre-line distance from the site (km), or the Iridium flare magnitude
    std::string label;  // Iridium mirror and direction of travel, or the Sun/Moon transit remark
};

// Settings of one event search run, applied while the object lives: Sun transits ignore the
// Sun's elevation limit, Sun and Moon transits without a distance use the default zone rule
// (35 km, listed when the site lies inside the transit zone), the flare magnitude display is off.
class EventRun {
public:
    explicit EventRun(WinpData* in);
    ~EventRun();
    EventRun(const EventRun&) = delete;
    EventRun& operator=(const EventRun&) = delete;
    // True when the default zone rule of Sun and Moon transits is in force.
    bool defaulted() const { return defaulted_; }

private:
    WinpData* in_;
    double maxsunelev_, evmaxdist_;
    bool iridflg_, defaulted_;
};

// True for a transit of the Sun or the Moon (iridmode 1 with occmode 1 or 2).
bool SunMoonTransit(const WinpData* in);
// True when the event type needs a positive distance that is missing: occultations and flares
// of a known surface (iridmode 1 or 2) with evmaxdist not above 0, Sun and Moon transits excepted.
bool DistanceMissing(const WinpData* in);
// True when the semi-major axis of slot lies in the band of the operational Iridium orbits.
bool IridiumOperational(const WinpData* in, int slot);

// One evaluation of reflector k at t (MJD UT) for the event search of slot: state[k] 2 waits for
// an event, 1 is inside one, 3 refines (an instant without event does not end it), 0 is done.
// The best instant, value (centre-line distance or flare magnitude from sp->mag), elevation and
// azimuth are kept in tbest, vbest, el, az. For the Iridium antennas flryaw/flrpitch are aimed at
// antenna k first.
void CkIrid(double t, WinpData* in, int slot, int k, int state[], double tbest[], double vbest[], double el[],
            double az[], SatPosData* sp = satps);

// Event search within the pass tm[0]..tm[2] (MJD UT) of slot; seen tells that a centre-line
// point occurred during the pass search. Returns 1 with the event instant in tm[1], its elevation
// a[1], azimuth b[1] and value b[2] (centre-line distance, or the Iridium flare magnitude, whose
// satellite latitudes at the pass start and end go to a[0], a[2] and whose mirror yaw stays in
// flryaw), or 2 when the pass holds no event within evmaxdist (irminmag for Iridium).
int GetIrid(WinpData* in, int slot, int seen, double tm[3], double a[3], double b[3], SatPosData* sp = satps);

// Events of slot in the passes beginning in [t0, t1] (MJD UT), in time order; Iridium events of
// both runs when irpanel is set. With defaulted, Sun and Moon transits are kept only when the site
// lies inside the transit zone.
std::vector<EventHit> FindEvents(WinpData* in, int slot, double t0, double t1, bool defaulted,
                                 SatPosData* sp = satps);

// Pass list page line of an event (without the tag): its local time cell with the date, the
// value and, for Sun and Moon transits, the transit remark.
std::string EventPageText(const WinpData* in, const EventHit& e);
// Save file line of an event without the satellite name: the time cell and the event remark.
std::string EventFileText(const WinpData* in, const EventHit& e);

// Three characters put before a satellite name in the all-satellite save file: " ? " in an
// Iridium search for a satellite outside the operational orbits, else blanks.
std::string SatelliteMark(const WinpData* in, int slot);

// Faintest limit of the listed Iridium flare magnitude (irminmag) that a search accepts.
constexpr double kFaintestFlareLimit = 29.0;

// Name of the temporary save file of the Iridium flare search.
constexpr const char* kIridiumSaveFile = "./satird.tmp";

// Settings of the Iridium flare search: event type 3, the front antenna as the known surface in
// the local attitude without yaw steering, no occultation target; magnitudes of moonlit flares
// need a characteristic length.
void SetIridiumSearch(WinpData* in);

// Flare page from the sorted save file of an Iridium search: titles, then the flare lines (a
// repeated instant listed once); while fewer than kMaxSat satellites are selected, the flaring
// satellites found in the TLE file are appended to the selection. A file that cannot be opened
// leaves the page with its titles only.
void Iriddspy(WinpData* in, WoutData* out);
