// Satellite matching: the satellites of a TLE file that came near an observed point of the sky
// at an observed time.
#pragma once

#include <string>
#include <vector>

#include "core/records.h"

// Most matches that one search lists.
constexpr int kMaxMatches = 50;

// One satellite that matched the observation.
struct MatchFound {
    int satno;                // NORAD catalogue number
    std::string designator;   // international designator, e.g. "1998-067A"
    std::string name;         // name without its padding blanks
    double incl;              // inclination, degrees
    double perigee, apogee;   // heights a(1 - e) and a(1 + e) above the equatorial radius, km
    double t;                 // instant of the match (of the last observation with two), MJD UT
};

// Outcome of a search over the TLE file.
struct MatchResult {
    bool opened = false;      // the TLE file could be opened
    long checked = 0;         // entries read and checked
    bool full = false;        // stopped at kMaxMatches while further entries followed
    std::vector<MatchFound> found;
};

// Searches every entry of the TLE file in->tlefile for positions within mtcdist degrees of the
// centre (occra, occdec; R.A. h.mmss and Dec. d.mmss referred to epoch when occradec is set,
// else azimuth and elevation in degrees) within mtcwin minutes of mjd, with mtcdirflg moving
// within 45 degrees of the position angle mtcdir (degrees, 0 up, 90 to the right). With
// mtcodflg the two observations of the orbit determination (locaz/locel, locra/locdec,
// od1radec, od2radec, oddeltm seconds apart) must both be passed, in time order; the first
// becomes the centre and mtcwin grows to at least |oddeltm|/60. mtcbright applies BrightObject.
// Matches join the selection while fewer than kMaxSat satellites are selected; with kMaxSat
// selected the last slot ends with the last match. relmode is kept.
MatchResult FindMatches(WinpData* in, SatPosData* sp = satps);

// Writes the match page of FindMatches into out (emptied first). Returns 1 when the TLE file
// cannot be opened (the page then says so), else 0.
int SatMatch(WinpData* in, WoutData* out, SatPosData* sp = satps);

// True when (lon1, lat1) lies closer to (lon0, lat0) than the angle whose cosine is cosmax and,
// with dirflg, the motion from (lon1, lat1) to (lon2, lat2) heads within 45 degrees of the
// position angle dir (0 towards increasing lat, pi/2 towards increasing lon). Radians; a motion
// without a defined direction passes.
bool mtchok(double cosmax, double lon0, double lat0, double lon1, double lat1, double dir, bool dirflg,
            double lon2, double lat2);

// "Brighter Objects Only": true when an entry of international designator designator
// ("1998-067A") and mean motion mm (rev/day) is kept. Kept are pieces of one letter from A to
// E, as a launch's payloads and rocket stages usually are; a later single letter (F, G, ...) or
// two or more letters (AA, ...) mostly mark small fragment debris and are skipped, except that
// in high orbits (below 2.5 rev/day), where few fragments are catalogued, any single letter is
// kept. Designators without a piece letter are kept.
bool BrightObject(const std::string& designator, double mm);
