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
#include "core/siteinstant.h"
#include "foundation/localmin.h"
#include "foundation/units.h"

namespace {
// Day fractions of one minute and one second.
using time_units::kMinute;
using time_units::kSecond;
using time_units::kMinutesPerDay;
// Coarse search steps (whole minutes) outside a pass when the orbit gives no bound, by the
// satellite's elevation (degrees) and the Sun.
constexpr int kStepFar = 30;    // elevation below kElevFar
constexpr int kStepNear = 10;   // elevation from kElevFar to kElevNear
constexpr int kStepSunUp = 60;  // Sun more than kSunMargin above maxsunelev
constexpr double kElevFar = -60.0;
constexpr double kElevNear = -25.0;
constexpr double kSunMargin = 15.0;
// Fastest change of the Sun's elevation (degrees per minute): the Earth's turn with the Sun's
// own motion, widened for refraction near the horizon.
constexpr double kSunElevationRate = 0.3;
// Pass edges: the bisection between the samples either side of a change of visibility stops
// when they are this close, well within the second that the pass lists show.
constexpr double kEdgeTolerance = kSecond / 4.0;
// Least distance of a trial from either end, as a fraction of the interval.
constexpr double kTrialMargin = 0.01;
// Aim (days) of a trial just inside or just outside the estimated crossing: the estimate from
// three samples is mostly closer than that to it, so the trial lands on the side aimed at and the
// edge comes within about that of the crossing.
constexpr double kTrialLean = kEdgeTolerance / 64.0;
// Culmination: the search for the highest elevation stops this close (seconds) to it.
constexpr double kCulminationTolerance = 1.0 / 256.0;
// Satellites faster than this (rev/day) skip an extra hour after each listed pass.
constexpr double kFastMeanMotion = 14.0;
constexpr double kFastSkip = 1.0 / 24.0;
// Pass rise bound: Earth's gravitational parameter (km^3/s^2, WGS-72), the polar radius (km,
// WGS-84) as the least site radius, the widening of the apogee radius for mean against osculating
// elements, and of the angle (deg) for the geodetic against the geocentric vertical and latitude
// (0.19 deg each; the elevations are geometric) and the osculating inclination.
constexpr double kMuKm3s2 = 398600.8;
constexpr double kPolarRadiusKm = 6356.752;
constexpr double kApogeeMargin = 1.01;
constexpr double kAngleMarginDeg = 1.5;
using time_units::kSecondsPerDay;

// Azimuth of a sample (degrees): given, or kept as the horizon direction's south and east
// components and computed only when read, since most samples of a search are never listed.
class Azimuth {
public:
    Azimuth(double degrees = 0.0) : south_(degrees) {}
    Azimuth(double south, double east) : south_(south), east_(east), pending_(true) {}
    double degrees() const { return pending_ ? AzimuthDegrees(Vec3(south_, east_, 0.0)) : south_; }

private:
    double south_, east_ = 0.0;  // the azimuth itself while not pending
    bool pending_ = false;
};

// One instant of a pass with its two angles (degrees).
struct Sample {
    double t;
    double el;
    Azimuth az;
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
          reach_(look_ && in->iridmode == kPlainPasses && !in->numflg[slot] ? MakeReachBound(in, slot)
                                                                              : ReachBound{})
    {
    }

    // True when the pass angles are azimuth and elevation (not relative mode).
    bool look() const { return look_; }
    // True when the trials at a pass edge follow the elevation: plain passes with look angles.
    bool plain() const { return look_ && in_->iridmode == kPlainPasses; }
    // Least elevation (degrees) of a visible satellite.
    double minElevation() const { return in_->minsatelev; }

    // Computes the state at t; true when the satellite counts as visible.
    bool visible(double t)
    {
        compute(t);
        return horizonOnly_ ? AboveMinElevation(in_, sp_, slot_) : cksatok(in_, sp_, slot_);
    }

    // True when the last computed state has a centre-line point (an event point).
    bool centreLine() const { return sp_->ctrlat[slot_] < kNoCentreLine; }

    // Elevation and azimuth of the last computed state, stamped t.
    Sample horizon(double t) const
    {
        const Azimuth az = horizonOnly_ ? Azimuth(h_[0], h_[1]) : Azimuth(sp_->azim[slot_]);
        return {t, sp_->elev[slot_], az};
    }
    // Angles of a pass start or end from the last computed state: the horizon ones, or in
    // relative mode the prime's latitude and longitude.
    Sample edge(double t) const { return look_ ? horizon(t) : Sample{t, sp_->ra[slot_], sp_->dec[slot_]}; }

    Sample horizonAt(double t)
    {
        compute(t);
        return horizon(t);
    }

    // Whole minutes to the next coarse sample after the last computed state. Inside a pass, the
    // first minute at which the satellite could be invisible. Outside, the Sun rule skips an
    // hour while the Sun is far above its limit, the orbit's bound steps to the first minute at
    // which the satellite could be visible (hidden is hiddenMinutes), else the elevation decides.
    int step(bool inside, bool sunRule, int hidden) const
    {
        if (inside) return 1 + shownMinutes();
        if (!look_) return 1;
        if (sunRule && !horizonOnly_ && sp_->sunelev > in_->maxsunelev + kSunMargin) return kStepSunUp;
        if (reach_.valid) return 1 + hidden;
        if (in_->minsatelev < 0.0) return 1;
        const double e = sp_->elev[slot_];
        if (e < kElevFar) return kStepFar;
        if (e < kElevNear) return kStepNear;
        return 1;
    }

    // Whole minutes after the last computed state at which the satellite is certain to be below
    // the minimum elevation, by the orbit's bound: too far from the site, the site too far from
    // the orbit's plane, or the satellite too far behind the site along its orbit (ahead of it
    // when dir is -1, searching back in time); 0 without a bound.
    int hiddenMinutes(int dir) const
    {
        if (!reach_.valid) return 0;
        const Vec3 site = horizonOnly_ ? site_ : SiteAt(in_, last_).observer.r;
        return SamplesHidden(reach_, site, sp_->vec1, sp_->vec2, sp_->elev[slot_], sp_->range[slot_], dir * kMinute);
    }

    // Whole minutes after the last computed state at which the satellite is certain to stay
    // visible: above the minimum elevation by the orbit's bound, and the Sun below its limit
    // when that counts; 0 when the visibility needs the satellite's illumination.
    int shownMinutes() const
    {
        if (!reach_.valid || in_->visonly) return 0;
        const int high = SamplesInReach(reach_, SiteAngle(sp_->elev[slot_], sp_->range[slot_]), kMinute);
        if (horizonOnly_) return high;
        const double sunRoom = (in_->maxsunelev - sp_->sunelev) / kSunElevationRate;
        return sunRoom > 0.0 ? std::min(high, static_cast<int>(sunRoom)) : 0;
    }

private:
    // The state at t: elevation and range alone when nothing else decides the visibility.
    void compute(double t)
    {
        last_ = t;
        if (horizonOnly_) {
            const SiteInstant& site = SiteAt(in_, t);
            site_ = site.observer.r;
            GetElevationPos(site, in_, sp_, slot_, h_);
        } else {
            GetSatPos(t, in_, sp_, slot_, 0);
        }
    }

    WinpData* in_;
    SatPosData* sp_;
    int slot_;
    bool look_;
    bool horizonOnly_;  // visibility depends on the elevation alone
    ReachBound reach_;  // where the satellite can be seen, with look angles alone
    double last_ = 0.0;  // instant of the last computed state
    Vec3 h_, site_;      // its horizon direction and the site (km), when horizonOnly_
};

// Result of a coarse scan: the first visible sample met (entry), the highest one (top) and the
// first invisible sample after the entry (exit). Samples other than top carry the edge angles.
struct Scan {
    bool found = false;    // a visible sample was met
    bool closed = false;   // the satellite left visibility before the limit
    bool seen = false;     // a centre-line point occurred
    bool entered = false;  // an invisible sample precedes the entry
    Sample outside{};      // that invisible sample (angles NaN when the bound stepped over it)
    Sample inside{};       // the last visible sample before the exit
    Sample entry{}, top{}, exit{};
    double aroundTop[2] = {};  // instants of the samples either side of top (top's own when none)
};

// Coarse scan from t towards limit (dir +1 forward, -1 backward). The samples after t lie on
// whole minutes (MinuteMjd), the instants that every satellite shares. A pass still in view at
// the limit exits there.
Scan coarseScan(Probe& p, double t, double limit, int dir, bool sunRule)
{
    Scan s;
    Sample previous{};  // a sample before t known to be invisible
    bool started = false;
    bool afterTop = false;  // the sample after top is still to come
    double minute = dir > 0 ? std::floor(t * kMinutesPerDay) : std::ceil(t * kMinutesPerDay);
    while (dir > 0 ? t <= limit : t >= limit) {
        const bool ok = p.visible(t);
        const Sample edge = p.edge(t);
        s.seen = s.seen || p.centreLine();
        if (afterTop) s.aroundTop[1] = t;
        afterTop = false;
        if (ok && (!s.found || p.horizon(t).el > s.top.el)) {
            s.top = p.horizon(t);
            s.aroundTop[0] = started ? previous.t : t;
            s.aroundTop[1] = t;
            afterTop = true;
        }
        if (ok && !s.found) {
            s.found = true;
            s.entered = started;
            s.outside = previous;
            s.entry = edge;
        } else if (!ok && s.found) {
            s.exit = edge;
            s.closed = true;
            return s;
        }
        if (ok) s.inside = edge;
        previous = edge;
        started = true;
        const int hidden = s.found ? 0 : p.hiddenMinutes(dir);
        const int step = p.step(s.found, sunRule, hidden);
        minute += dir * step;
        // The minute before the next sample is invisible too when the bound stepped over it.
        if (step > 1 && hidden >= step - 1) previous = Sample{MinuteMjd(minute - dir), NAN, NAN};
        t = MinuteMjd(minute);
    }
    // The last step may have passed over the limit: a pass that ended before it is closed there.
    if (s.found) {
        s.closed = !p.visible(limit);
        s.exit = p.edge(limit);
        if (afterTop) s.aroundTop[1] = limit;
    }
    return s;
}

// An instant (MJD) with the excess g (degrees) of its elevation over the minimum.
struct Excess {
    double t;
    double g;
};

// Instant (MJD) at which the excess reaches 0 on the parabola in g through a, b and c (inverse
// quadratic interpolation), or through a and b alone when c is missing.
double excessRoot(const Excess& a, const Excess& b, const Excess& c)
{
    if (std::isnan(c.g) || c.g == a.g || c.g == b.g) return a.t + (b.t - a.t) * a.g / (a.g - b.g);
    return a.t + (b.t - a.t) * a.g * c.g / ((b.g - a.g) * (b.g - c.g)) +
           (c.t - a.t) * a.g * b.g / ((c.g - a.g) * (c.g - b.g));
}

// Next trial between the visible in and the invisible out: the estimated crossing from them and
// older, the end the last trial replaced, moved by kTrialLean towards out (toOut) or in, and kept
// a little inside.
double trialInstant(const Excess& in, const Excess& out, const Excess& older, bool toOut)
{
    const auto [lo, hi] = std::minmax(in.t, out.t);
    const double margin = kTrialMargin * (hi - lo);
    double t = excessRoot(in, out, older);
    if (!(t > lo && t < hi)) t = excessRoot(in, out, Excess{NAN, NAN});
    t += (toOut == (out.t > in.t)) ? kTrialLean : -kTrialLean;
    return std::clamp(t, lo + margin, hi - margin);
}

// Edge sample within kEdgeTolerance of the change of visibility between the sample in, where
// the satellite is visible, and out, where it is not (either order); on the visible side, so a
// pass starts and ends with its minimum elevation and the pass details begin with a line. In
// plain passes the trials follow the elevation: each aims just inside the crossing until a visible
// one lands there, then just outside; a bisection whenever two trials fail to halve the interval.
// Otherwise plain bisection.
Sample crossing(Probe& p, Sample in, Sample out)
{
    // A sample the bound stepped over gets its angles, so the trials do not depend on the steps.
    if (std::isnan(out.el)) {
        p.visible(out.t);
        out = p.edge(out.t);
    }
    const double low = p.plain() ? p.minElevation() : NAN;
    Excess inside{in.t, in.el - low}, outside{out.t, out.el - low}, older{NAN, NAN};
    bool near = false;  // in is a trial aimed from three samples, close to the crossing
    bool bisect = !(inside.g >= 0.0 && outside.g < 0.0);
    // Following the elevation, the edge is also to be close to the crossing.
    const auto done = [&](double width) {
        return width <= kEdgeTolerance && (near || bisect || width <= kTrialLean);
    };
    double before = INFINITY;  // the width before the last trial
    for (double width = std::fabs(out.t - in.t); !done(width);) {
        const double t = bisect ? 0.5 * (in.t + out.t) : trialInstant(inside, outside, older, near);
        const bool ok = p.visible(t);
        const Sample e = p.edge(t);
        if (ok) near = !bisect && !std::isnan(older.g);
        older = ok ? inside : outside;
        (ok ? in : out) = e;
        (ok ? inside : outside) = Excess{t, e.el - low};
        const double next = std::fabs(out.t - in.t);
        bisect = next > 0.5 * before || !(inside.g >= 0.0 && outside.g < 0.0);
        before = width;
        width = next;
    }
    return in;
}

// Culmination of a pass from lo to hi (MJD) whose highest coarse sample is s.top: the highest
// elevation between the samples either side of it, found by Brent's search.
Sample culmination(Probe& p, const Scan& s, double lo, double hi)
{
    const Sample top = s.top;
    if (top.t > hi) return p.horizonAt(hi);
    if (top.t < lo) return p.horizonAt(lo);
    if (!p.look()) return top;
    const auto [first, last] = std::minmax(s.aroundTop[0], s.aroundTop[1]);
    Sample best = top;
    const auto depth = [&](double sec) {  // seconds from top to the negative elevation there
        const Sample s = p.horizonAt(top.t + sec * kSecond);
        if (s.el > best.el) best = s;
        return -s.el;
    };
    const double from = (std::max(lo, first) - top.t) / kSecond, to = (std::min(hi, last) - top.t) / kSecond;
    LocalMinimum(depth, from, to, 0.0, -top.el, kCulminationTolerance);
    return best;
}

// Copies three samples into the pass arrays.
void storePass(const Sample (&s)[3], double tm[3], double el[3], double az[3])
{
    for (int k = 0; k < 3; ++k) {
        tm[k] = s[k].t;
        el[k] = s[k].el;
        az[k] = s[k].az.degrees();
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
    if (s.entered) start = crossing(p, s.entry, s.outside);
    if (s.closed) end = crossing(p, s.inside, s.exit);
    if (in->iridmode != kPlainPasses) {
        storePass({start, s.top, end}, tm, el, az);
        return GetIrid(in, slot, s.seen, tm, el, az, sp);
    }
    storePass({start, culmination(p, s, start.t, end.t), end}, tm, el, az);
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
    if (s.entered) end = crossing(p, s.entry, s.outside);
    if (s.closed) begin = crossing(p, s.inside, s.exit);
    storePass({end, culmination(p, s, begin.t, end.t), begin}, tm, el, az);
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
