#include "core/passsearch.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "astro/timescales.h"
#include "core/iridium.h"
#include "core/mirror.h"
#include "core/occtrans.h"
#include "core/reachbound.h"
#include "core/satstate.h"
#include "foundation/units.h"

namespace {
// Day fractions of one minute and one second.
using time_units::kMinute;
using time_units::kSecond;
constexpr int kSecondsPerMinute = 60;
// Coarse search steps (days) outside a pass, by the satellite's elevation (degrees) and the Sun.
constexpr double kStepFar = 0.0208;       // elevation below kElevFar
constexpr double kStepNear = 0.0069;      // elevation from kElevFar to kElevNear
constexpr double kStepSunUp = 0.0416667;  // Sun more than kSunMargin above maxsunelev: one hour
constexpr double kElevFar = -60.0;
constexpr double kElevNear = -25.0;
constexpr double kSunMargin = 15.0;
// Pass edges: the bisection between the samples either side of a change of visibility stops
// when they are this close, well within the second that the pass lists show.
constexpr double kEdgeTolerance = kSecond / 4.0;
// Culmination: after the 1-s scan the step is halved from half a second down to this.
constexpr double kPolishStep = kSecond / 64.0;
// Satellites faster than this (rev/day) skip an extra hour after each listed pass.
constexpr double kFastMeanMotion = 14.0;
constexpr double kFastSkip = 1.0 / 24.0;
// Pass rise bound: Earth's gravitational parameter (km^3/s^2, WGS-72), the polar radius (km,
// WGS-84) as the least site radius, the widening of the apogee radius and of the angle (deg) that
// cover mean against osculating elements, refraction and geodetic against geocentric latitude.
constexpr double kMuKm3s2 = 398600.8;
constexpr double kPolarRadiusKm = 6356.752;
constexpr double kApogeeMargin = 1.05;
constexpr double kAngleMarginDeg = 3.0;
using time_units::kSecondsPerDay;

// One instant of a pass with its two angles (degrees).
struct Sample {
    double t;
    double el;
    double az;
};

// Evaluations of one satellite for the pass search.
class Probe {
public:
    Probe(WinpData* in, SatPosData* sp, int slot)
        : in_(in),
          sp_(sp),
          slot_(slot),
          look_(!(RelativeMode(in) && slot == in->prime)),
          horizonOnly_(HorizonOnly(in, slot)),
          reach_(horizonOnly_ && look_ ? MakeReachBound(in, slot, kElevNear) : ReachBound{})
    {
    }

    // True when the pass angles are azimuth and elevation (not relative mode).
    bool look() const { return look_; }

    // Computes the state at t; true when the satellite counts as visible.
    bool visible(double t)
    {
        compute(t);
        return horizonOnly_ ? AboveMinElevation(in_, sp_, slot_) : cksatok(in_, sp_, slot_);
    }

    // True when the last computed state has a centre-line point (an event point).
    bool centreLine() const { return sp_->ctrlat[slot_] < kNoCentreLine; }

    // Elevation and azimuth of the last computed state, stamped t.
    Sample horizon(double t) const { return {t, sp_->elev[slot_], sp_->azim[slot_]}; }
    // Angles of a pass start or end from the last computed state: the horizon ones, or in
    // relative mode the prime's latitude and longitude.
    Sample edge(double t) const { return look_ ? horizon(t) : Sample{t, sp_->ra[slot_], sp_->dec[slot_]}; }

    Sample horizonAt(double t)
    {
        compute(t);
        return horizon(t);
    }
    Sample edgeAt(double t)
    {
        compute(t);
        return edge(t);
    }

    // Search step (days) after the last computed state; the Sun rule skips an hour while the Sun
    // is far above its limit.
    double step(bool inside, bool sunRule) const
    {
        if (inside || !look_ || in_->minsatelev < 0.0) return kMinute;
        if (sunRule && !horizonOnly_ && sp_->sunelev > in_->maxsunelev + kSunMargin) return kStepSunUp;
        const double e = sp_->elev[slot_];
        if (e < kElevFar) return kStepFar;
        if (e < kElevNear) return kStepNear;
        return kMinute;
    }

    // Samples after the last computed state, step apart, that are certain to be invisible and
    // to keep the one-minute step: the coarse scan may step over them without computing them.
    int certainlyHidden(double step) const
    {
        if (step != kMinute || !reach_.valid) return 0;
        return SamplesOutOfReach(reach_, SiteAngle(sp_->elev[slot_], sp_->range[slot_]), step);
    }

private:
    // The state at t: look angles alone when nothing else decides the visibility.
    void compute(double t)
    {
        if (horizonOnly_)
            GetHorizonPos(t, in_, sp_, slot_);
        else
            GetSatPos(t, in_, sp_, slot_, 0);
    }

    WinpData* in_;
    SatPosData* sp_;
    int slot_;
    bool look_;
    bool horizonOnly_;  // visibility depends on the elevation alone
    ReachBound reach_;  // where the satellite can be seen, with look angles alone
};

// Result of a coarse scan: the first visible sample met (entry), the highest one (top) and the
// first invisible sample after the entry (exit).
struct Scan {
    bool found = false;    // a visible sample was met
    bool closed = false;   // the satellite left visibility before the limit
    bool seen = false;     // a centre-line point occurred
    bool entered = false;  // an invisible sample precedes the entry
    double outside = 0.0;  // instant of that invisible sample
    double inside = 0.0;   // instant of the last visible sample before the exit
    Sample entry{}, top{}, exit{};
};

// Coarse scan from t towards limit (dir +1 forward, -1 backward). A pass still in view at the
// limit exits there.
Scan coarseScan(Probe& p, double t, double limit, int dir, bool sunRule)
{
    Scan s;
    double previous = 0.0;  // instant of the sample before t
    bool started = false;
    while (dir > 0 ? t <= limit : t >= limit) {
        const bool ok = p.visible(t);
        s.seen = s.seen || p.centreLine();
        if (ok && !s.found) {
            s.found = true;
            s.entered = started;
            s.outside = previous;
            s.entry = p.edge(t);
            s.top = p.horizon(t);
        } else if (ok && p.horizon(t).el > s.top.el) {
            s.top = p.horizon(t);
        } else if (!ok && s.found) {
            s.exit = p.edge(t);
            s.closed = true;
            return s;
        }
        if (ok) s.inside = t;
        previous = t;
        started = true;
        const double step = p.step(s.found, sunRule);
        t += dir * step;
        // Samples certain to be hidden are stepped over one at a time: the instants stay those of a full scan.
        for (int k = s.found ? 0 : p.certainlyHidden(step); k > 0; --k) {
            previous = t;
            t += dir * step;
        }
    }
    // The last step may have passed over the limit: a pass that ended before it is closed there.
    if (s.found) {
        s.closed = !p.visible(limit);
        s.exit = p.edge(limit);
    }
    return s;
}

// Instant within kEdgeTolerance of the change of visibility between the instant in, where the
// satellite is visible, and out, where it is not (either order); on the visible side, so a pass
// starts and ends with its minimum elevation and the pass details begin with a line.
double crossing(Probe& p, double in, double out)
{
    while (std::fabs(out - in) > kEdgeTolerance) {
        const double mid = 0.5 * (in + out);
        (p.visible(mid) ? in : out) = mid;
    }
    return in;
}

// Steps 1 s at a time from the sample best up to the instant to, keeping the highest elevation;
// stops at the first decrease.
Sample scanSeconds(Probe& p, Sample best, double to)
{
    for (int k = 1; best.t + kSecond <= to && k <= kSecondsPerMinute; ++k) {
        const Sample s = p.horizonAt(best.t + kSecond);
        if (s.el < best.el) break;
        best = s;
    }
    return best;
}

// Moves the culmination to the higher side with steps halved from half a second: the 1-s scan
// leaves up to half a second, several hundredths of a degree for a pass near the zenith.
Sample polish(Probe& p, Sample best, double lo, double hi)
{
    for (double h = 0.5 * kSecond; h >= kPolishStep; h *= 0.5) {
        for (const double t : {best.t - h, best.t + h}) {
            if (t < lo || t > hi) continue;
            const Sample s = p.horizonAt(t);
            if (s.el > best.el) {
                best = s;
                break;
            }
        }
    }
    return best;
}

// Culmination of a pass from lo to hi (MJD) whose highest coarse sample is top.
Sample culmination(Probe& p, Sample top, double lo, double hi)
{
    if (top.t > hi) return p.horizonAt(hi);
    if (top.t < lo) return p.horizonAt(lo);
    if (!p.look()) return top;
    const double before = p.horizonAt(top.t - kSecond).el;
    const double after = p.horizonAt(top.t + kSecond).el;
    if (after > before)
        top = scanSeconds(p, top, std::min(top.t + kMinute, hi));
    else if (after < before)
        top = scanSeconds(p, p.horizonAt(std::max(top.t - kMinute, lo)), top.t);
    return polish(p, top, lo, hi);
}


// Copies three samples into the pass arrays.
void storePass(const Sample (&s)[3], double tm[3], double el[3], double az[3])
{
    for (int k = 0; k < 3; ++k) {
        tm[k] = s[k].t;
        el[k] = s[k].el;
        az[k] = s[k].az;
    }
}

}  // namespace

bool StateSlot(int slot) { return slot >= 0 && slot < kMaxSat; }

std::string SatName(const WinpData* in, int slot)
{
    std::string name(in->satname[slot], strnlen(in->satname[slot], sizeof in->satname[slot]));
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

double ListStartMjd(const WinpData* in)
{
    return mjd(in->day, in->month, in->year,
               in->hour - in->timezone + in->minute / 60.0 + in->second / 3600.0);
}

int nextpass(WinpData* in, int slot, double t0, double t1, double tm[3], double el[3], double az[3],
             SatPosData* sp)
{
    if (!StateSlot(slot)) return 0;
    if (in->iridmode == kIridiumMode) in->flryaw = AntennaYaw(0);
    Probe p(in, sp, slot);
    const double from = in->passcont ? gpassend(in, sp, slot, t0, t1) : t0;
    const Scan s = coarseScan(p, from, t1, +1, true);
    if (!s.found) return 0;
    Sample start = s.entry, end = s.exit;
    if (s.entered) start = p.edgeAt(crossing(p, s.entry.t, s.outside));
    if (s.closed) end = p.edgeAt(crossing(p, s.inside, s.exit.t));
    if (in->iridmode != kPlainPasses) {
        storePass({start, s.top, end}, tm, el, az);
        return GetIrid(in, slot, s.seen, tm, el, az, sp);
    }
    storePass({start, culmination(p, s.top, start.t, end.t), end}, tm, el, az);
    return 1;
}

int lastpass(WinpData* in, int slot, double t0, double t1, double tm[3], double el[3], double az[3],
             SatPosData* sp)
{
    if (!StateSlot(slot)) return 0;
    Probe p(in, sp, slot);
    const double from = in->passcont ? gpassbeg(in, sp, slot, t0, t1) : t0;
    const Scan s = coarseScan(p, from, t1, -1, false);
    if (!s.found) return 0;
    Sample end = s.entry, begin = s.exit;
    if (s.entered) end = p.edgeAt(crossing(p, s.entry.t, s.outside));
    if (s.closed) begin = p.edgeAt(crossing(p, s.inside, s.exit.t));
    storePass({end, culmination(p, s.top, begin.t, end.t), begin}, tm, el, az);
    return 1;
}

double gpassbeg(WinpData* in, SatPosData* sp, int slot, double t, double tmin)
{
    if (!StateSlot(slot)) return t;
    Probe p(in, sp, slot);
    while (t >= tmin && p.visible(t)) t -= kMinute;
    return t;
}

double gpassend(WinpData* in, SatPosData* sp, int slot, double t, double tmax)
{
    if (!StateSlot(slot)) return t;
    Probe p(in, sp, slot);
    while (t <= tmax && p.visible(t)) t += kMinute;
    return t;
}

bool CannotRise(const WinpData* in, int slot)
{
    const double e = in->elecc[slot], n = in->elmm[slot] * 2.0 * angle_units::kPi / kSecondsPerDay;
    const double incl = std::fabs(in->elincl[slot]);
    if (!(e >= 0.0 && e < 1.0 && n > 0.0 && std::isfinite(n) && incl <= 180.0)) return false;
    const double apogee = std::cbrt(kMuKm3s2 / (n * n)) * (1.0 + e) * kApogeeMargin;
    const double elev = in->minsatelev * angle_units::kDegToRad;
    const double ratio = kPolarRadiusKm * std::cos(elev) / apogee;
    if (!(ratio < 1.0)) return false;
    // Largest angle at the Earth's centre between the site and a point below the satellite in view.
    const double reach = (std::acos(ratio) - elev) / angle_units::kDegToRad;
    const double highest = incl > 90.0 ? 180.0 - incl : incl;
    return std::fabs(in->obslat) - highest > reach + kAngleMarginDeg;
}

void ScanPasses(WinpData* in, int slot, double t0, double t1, const std::function<void(const PassEvent&)>& visit,
                SatPosData* sp)
{
    if (!StateSlot(slot)) return;
    const bool fast = in->elmm[slot] > kFastMeanMotion && !RelativeMode(in);
    const double gap = kMinute + (fast ? kFastSkip : 0.0);
    PassEvent p{};
    int result;
    for (double t = t0; t <= t1 && (result = nextpass(in, slot, t, t1, p.tm, p.el, p.az, sp)) != 0; t = p.tm[2] + gap)
        if (result == 1) visit(p);
}

std::vector<PassEvent> FindPasses(WinpData* in, int slot, double t0, double t1, SatPosData* sp)
{
    std::vector<PassEvent> passes;
    ScanPasses(in, slot, t0, t1, [&](const PassEvent& p) { passes.push_back(p); }, sp);
    return passes;
}
