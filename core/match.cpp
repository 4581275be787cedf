#include "core/match.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

#include "core/dateframe.h"
#include "core/geodesy.h"
#include "core/passsearch.h"
#include "core/satstate.h"
#include "core/textpage.h"
#include "core/tlefile.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kRadToDeg;

using time_units::kMinutesPerDay;
using time_units::kSecondsPerDay;
using time_units::kSecondsPerMinute;
// Time steps (days): one second for fast or eccentric orbits, one minute for the others.
constexpr double kFineStep = 1.1574074074074073e-5;
constexpr double kCoarseStep = 0.0006944444444444445;
constexpr double kFineMeanMotion = 2.0;      // rev/day, and above
constexpr double kFineEccentricity = 0.1;    // and above
// Centre elevation plus distance (degrees) from which the direction is not tested: near the
// zenith the azimuth, and with it the position angle, changes too fast to mean anything.
constexpr double kZenithLimit = 89.1;
// cos 45 degrees: directions of motion match within 45 degrees.
constexpr double kCos45 = 0.7071067811865476;
// Least length of the motion's bearing vector times cos lat1 that gives it a direction.
constexpr double kTinyDenominator = 1e-50;
// Largest half window (minutes) and distance (degrees) searched.
constexpr double kMaxWindow = 1440.0;
constexpr double kMaxDistance = 180.0;
// Interval (days) at which an R.A./Dec. centre's azimuth and elevation are recomputed: the sky
// turns 0.25 degrees a minute, so every 10 s keeps it within about 0.02 degrees.
constexpr double kTrackStep = 10.0 / 86400.0;
// Sun elevation limit that no Sun reaches (degrees): the pass pre-check ignores the Sun.
constexpr double kNoSunLimit = 91.0;
// Brighter objects: the last piece letter kept, and the mean motion (rev/day) below which any
// single letter is kept; the piece begins at this column of "YYYY-NNNP".
constexpr char kLastBrightPiece = 'E';
constexpr double kHighOrbitMeanMotion = 2.5;
constexpr size_t kPieceColumn = 8;
// Longest page line that putf formats, terminator included (PutNxtLn keeps 76 characters).
constexpr int kPutBytes = 2 * kLineBytes;

// Azimuth and elevation, radians.
struct Look {
    double az, el;
};

// An observed sky position: a copy of the settings whose target fields hold it, and its azimuth
// and elevation at the instant last computed.
class Centre {
public:
    // Position a, b (azimuth and elevation in degrees, or R.A. h.mmss and Dec. d.mmss with radec,
    // which follow the sky) observed at tobs (MJD UT).
    Centre(const WinpData* in, double a, double b, int radec, double tobs)
        : rec_(std::make_unique<WinpData>(*in)), track_(radec != 0)
    {
        rec_->occra = a;
        rec_->occdec = b;
        rec_->occradec = radec;
        t_ = tobs;
        look_ = lookAt(tobs);
    }

    // Azimuth and elevation at t, recomputed once t is kTrackStep or more from the last instant.
    Look at(double t)
    {
        if (track_ && !(std::fabs(t - t_) < kTrackStep)) {
            t_ = t;
            look_ = lookAt(t);
        }
        return look_;
    }

    // Elevation (radians) at the last computed instant.
    double elevation() const { return look_.el; }

    // Apparent azimuth and elevation at t, MJD UT.
    Look lookAt(double t) const
    {
        Look l{};
        convRDAE(rec_.get(), t, MakeDateFrame(rec_.get(), t).T, l.az, l.el);
        return l;
    }

private:
    std::unique_ptr<WinpData> rec_;
    bool track_;
    double t_;
    Look look_;
};

// The search conditions.
struct Search {
    WinpData* in;
    SatPosData* sp;
    double t0, t1;                 // window, MJD UT
    double dist;                   // maximum distance, degrees
    double dir;                    // position angle of the motion, radians
    bool dirtest;                  // the direction is tested
    std::vector<Centre> centres;   // passed in this order
};

// The settings that the search changes and gives back: relative mode and pass conditions.
struct KeptSettings {
    explicit KeptSettings(const WinpData* in)
        : relmode(in->relmode), passcont(in->passcont), visonly(in->visonly),
          minsatelev(in->minsatelev), maxsunelev(in->maxsunelev) {}
    void restore(WinpData* in) const
    {
        in->relmode = relmode;
        in->passcont = passcont;
        in->visonly = visonly;
        in->minsatelev = minsatelev;
        in->maxsunelev = maxsunelev;
    }
    int relmode, passcont, visonly;
    double minsatelev, maxsunelev;
};

// The selection slot into which entries are loaded for the check. While fewer than kMaxSat
// satellites are selected each candidate takes a new slot, so matches stay; then the candidates
// share the last slot, whose earlier satellite or last match waits in the spare slot.
class CandidateSlot {
public:
    explicit CandidateSlot(WinpData* in) : in_(in)
    {
        in_->nsat = std::clamp(in_->nsat, 0, kMaxSat);
        next();
    }
    int slot() const { return slot_; }
    // Loads the entry of the work slot.
    void load() { ShiftElm(in_, slot_, kWorkSlot); }
    // Keeps the loaded entry as a match.
    void keep() { next(); }
    // Gives back the slot of an entry that did not match.
    void finish()
    {
        if (fresh_)
            --in_->nsat;
        else
            ShiftElm(in_, slot_, kSpareSlot);
    }

private:
    void next()
    {
        fresh_ = in_->nsat < kMaxSat;
        if (fresh_) {
            slot_ = in_->nsat++;
            return;
        }
        slot_ = kMaxSat - 1;
        ShiftElm(in_, kSpareSlot, slot_);
    }
    WinpData* in_;
    int slot_ = 0;
    bool fresh_ = true;
};

// The magnitude of v, at most hi; 0 for NaN.
double magnitudeUpTo(double v, double hi) { return std::isnan(v) ? 0.0 : std::min(std::fabs(v), hi); }

// Takes the first observation of the orbit determination as the centre and widens the window to
// the time between the two observations.
void takeObservation(WinpData* in)
{
    in->occra = in->locaz;
    in->occdec = in->locel;
    in->occradec = in->od1radec;
    in->mtcwin = std::max(in->mtcwin, std::fabs(in->oddeltm) / kSecondsPerMinute);
}

Search makeSearch(WinpData* in, SatPosData* sp)
{
    const double window = magnitudeUpTo(in->mtcwin, kMaxWindow);
    const double t0 = in->mjd;
    Search s{in, sp, t0 - window / kMinutesPerDay, t0 + window / kMinutesPerDay,
             magnitudeUpTo(in->mtcdist, kMaxDistance), in->mtcdir * kDegToRad, false, {}};
    s.centres.emplace_back(in, in->occra, in->occdec, in->occradec, t0);
    if (in->mtcodflg) {
        const auto at = in->oddeltm < 0.0 ? s.centres.begin() : s.centres.end();
        s.centres.emplace(at, in, in->locra, in->locdec, in->od2radec, t0 + in->oddeltm / kSecondsPerDay);
    }
    s.dirtest = in->mtcdirflg && !in->mtcodflg && s.centres[0].elevation() * kRadToDeg + s.dist < kZenithLimit;
    return s;
}

// Elevation limit (degrees) of the pass pre-check: the horizon, or lower when a satellite within
// the distance of a centre can be below it at an end of the window.
double precheckLimit(const Search& s)
{
    double lowest = 0.0;
    for (const Centre& c : s.centres)
        for (const double el : {c.elevation(), c.lookAt(s.t0).el, c.lookAt(s.t1).el})
            lowest = std::fmin(lowest, el * kRadToDeg - s.dist);
    return lowest;
}

// Relative mode off and passes found by geometry alone: an observation may be made in daylight,
// by radar or of an eclipsed satellite.
void setSearchConditions(WinpData* in, double minelev)
{
    in->relmode = 0;
    in->passcont = 0;
    in->visonly = 0;
    in->maxsunelev = kNoSunLimit;
    in->minsatelev = minelev;
}

Look look(const Search& s, int slot, double t)
{
    GetSatPos(t, s.in, s.sp, slot, 0);
    return {s.sp->azim[slot] * kDegToRad, s.sp->elev[slot] * kDegToRad};
}

// Steps through [from, to] by step; true when slot passes every centre in turn (the instant of
// the last goes to when).
bool scanPass(Search& s, int slot, double from, double to, double step, double& when)
{
    if (!(to >= from)) return false;
    const double cosmax = std::cos(s.dist * kDegToRad);
    const long n = static_cast<long>((to - from) / step);
    size_t stage = 0;
    Look now = look(s, slot, from);
    for (long k = 0; k <= n; ++k) {
        const double t = from + k * step;
        const Look next = look(s, slot, t + step);
        const Look c = s.centres[stage].at(t);
        if (mtchok(cosmax, c.az, c.el, now.az, now.el, s.dir, s.dirtest, next.az, next.el)
            && ++stage == s.centres.size()) {
            when = t;
            return true;
        }
        now = next;
    }
    return false;
}

// True when slot matches in one of its passes within the window.
bool matchSatellite(Search& s, int slot, double& when)
{
    const bool fine = s.in->elmm[slot] >= kFineMeanMotion || s.in->elecc[slot] >= kFineEccentricity;
    const double step = fine ? kFineStep : kCoarseStep;
    double tm[3], el[3], az[3];
    for (double t = s.t0; t <= s.t1 && nextpass(s.in, slot, t, s.t1, tm, el, az, s.sp) == 1; t = tm[2] + kCoarseStep)
        if (scanPass(s, slot, tm[0], tm[2], step, when)) return true;
    return false;
}

std::string designatorOf(const WinpData* in, int slot)
{
    std::string d(in->intldsn[slot], strnlen(in->intldsn[slot], sizeof in->intldsn[slot]));
    return d.substr(0, d.find_last_not_of(' ') + 1);
}

MatchFound describe(const WinpData* in, int slot, double when)
{
    const double a = in->elsma[slot];
    const double e = in->elecc[slot];
    return {in->satno[slot], designatorOf(in, slot), SatName(in, slot), in->elincl[slot],
            a * (1.0 - e) - kEarthRadiusKm, a * (1.0 + e) - kEarthRadiusKm, when};
}

// Appends one printf-formatted line to the page.
__attribute__((format(printf, 2, 3))) void putf(WoutData* out, const char* format, ...)
{
    std::array<char, kPutBytes> line{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(line.data(), line.size(), format, args);
    va_end(args);
    PutNxtLn(out, line.data());
}
}  // namespace

bool mtchok(double cosmax, double lon0, double lat0, double lon1, double lat1, double dir, bool dirflg,
            double lon2, double lat2)
{
    const double cosd = std::sin(lat0) * std::sin(lat1) + std::cos(lat0) * std::cos(lat1) * std::cos(lon0 - lon1);
    if (!(cosd > cosmax)) return false;
    if (!dirflg) return true;
    // Position angle of the motion: the bearing of the great circle from 1 to 2, which unlike
    // its cosine stays exact for motion straight up or down. Undefined without motion or at a pole.
    const double y = std::cos(lat2) * std::sin(lon2 - lon1);
    const double x = std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(lon2 - lon1);
    if (std::hypot(x, y) * std::cos(lat1) < kTinyDenominator) return true;
    // The unit vectors (0, 0, 1) turned about x by the position angle and by dir have the scalar
    // product cos(pa - dir).
    return std::cos(std::atan2(y, x) - dir) >= kCos45;
}

bool BrightObject(const std::string& designator, double mm)
{
    size_t letters = 0;
    while (kPieceColumn + letters < designator.size()
           && std::isalpha(static_cast<unsigned char>(designator[kPieceColumn + letters])))
        ++letters;
    if (letters == 0) return true;
    if (letters > 1) return false;
    return std::toupper(static_cast<unsigned char>(designator[kPieceColumn])) <= kLastBrightPiece
           || mm < kHighOrbitMeanMotion;
}

MatchResult FindMatches(WinpData* in, SatPosData* sp)
{
    MatchResult r;
    ElementReader f(in->tlefile);
    if (!f.isOpen()) return r;
    r.opened = true;
    if (in->mtcodflg) takeObservation(in);
    Search s = makeSearch(in, sp);
    const KeptSettings kept(in);
    setSearchConditions(in, precheckLimit(s));
    CandidateSlot candidate(in);
    std::array<char, kTleTextBytes> text{};
    for (int more = 2; more == 2 && !r.full;) {
        std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "*");
        more = tleread(in, f, text.data(), 0);
        if (more == 0) break;
        ++r.checked;
        candidate.load();
        const int slot = candidate.slot();
        double when = 0.0;
        if (in->mtcbright && !BrightObject(designatorOf(in, slot), in->elmm[slot])) continue;
        if (!matchSatellite(s, slot, when)) continue;
        r.found.push_back(describe(in, slot, when));
        r.full = r.found.size() >= static_cast<size_t>(kMaxMatches) && more == 2;
        candidate.keep();
    }
    candidate.finish();
    kept.restore(in);
    return r;
}

int SatMatch(WinpData* in, WoutData* out, SatPosData* sp)
{
    out->nlines = 0;
    const MatchResult r = FindMatches(in, sp);
    if (!r.opened) {
        putf(out, " *** Unable to open TLE file ***");
        putf(out, " %s", in->tlefile);
        putf(out, " Select a valid TLE file first.");
        return 1;
    }
    putf(out, " Possible matches on TLE-file:");
    putf(out, " %s", in->tlefile);
    PutSpace(out, 1);
    for (const MatchFound& m : r.found) {
        putf(out, " NORAD#:%9i  Int.Launch#: %-11s  %s", m.satno, m.designator.c_str(), m.name.c_str());
        putf(out, " Incl.: %8.4lf   Perigee: %10.3lf km  Apogee: %10.3lf km", m.incl, m.perigee, m.apogee);
    }
    if (r.full) putf(out, " *** Output buffer full. More matches possible ***");
    if (r.found.empty()) {
        putf(out, " *** No matches found on TLE file ***");
        putf(out, " %s", in->tlefile);
    }
    PutSpace(out, 1);
    putf(out, " Number of satellites checked: %ld", r.checked);
    putf(out, " Number of possible matches  : %i", static_cast<int>(r.found.size()));
    return 0;
}
