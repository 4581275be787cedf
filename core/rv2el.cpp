#include "core/rv2el.h"

#include <algorithm>
#include <cmath>

#include "core/dateframe.h"
#include "core/meanmotion.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kPi;
using angle_units::kRadToDeg;
using angle_units::kTwoPi;

// WGS-72 constants of SGP4: Earth radius (m), sqrt(GM) in Earth radii^1.5 per minute, and
// k2 = J2/2 (J2 = 0.001082616).
constexpr double kRadius = 6378135.0;
constexpr double kXke = 0.07436691613317341;
constexpr double kK2 = 0.0005413079;
// Long-period coefficients A3OVK2/4 and A3OVK2/8 with A3OVK2 = -J3/k2 (J3 = -0.00000253881).
constexpr double kA3ovk2Quarter = 0.0011725350766172082;
constexpr double kA3ovk2Eighth = 0.0005862675383086041;
// 1.5 k2: the Kozai-to-Brouwer mean motion term.
constexpr double kK2OneAndHalf = 0.00081196185;
// The propagator's smallest divisor 1 + cos i of the long-period longitude term.
constexpr double kIncl180Divisor = 1.5e-12;
using time_units::kSecondsPerMinute;
using time_units::kMinutesPerDay;
using angle_units::kTimeSecPerRad;

// Iteration limits: passes and the change below which a fixed point counts as reached.
constexpr int kMaxPasses = 40;
constexpr double kConverged = 1e-13;
// Smallest length or divisor used.
constexpr double kTiny = 1e-20;

// x raised to kTiny when smaller.
double atLeastTiny(double x) { return std::max(x, kTiny); }

// What SGP4 outputs after its short-period terms, in Earth radii and the time unit with GM = 1:
// radius, radial and transverse velocity, argument of latitude, node and inclination (radians).
struct Osculating {
    double r, rdot, rvdot, u, node, incl;
};

// Those quantities of the state rc (Earth radii), vc (Earth radii per time unit).
Osculating osculating(const Vec3& rc, const Vec3& vc)
{
    Osculating o;
    o.r = atLeastTiny(abs(rc));
    const Vec3 h = rc * vc;
    const double hm = atLeastTiny(abs(h));
    o.rdot = dot(rc, vc) / o.r;
    o.rvdot = hm / o.r;
    o.incl = std::acos(std::clamp(h[2] / hm, -1.0, 1.0));
    o.node = Reduce360(atan20(h[0], -h[1]) * kRadToDeg) * kDegToRad;
    const Vec3 n(std::cos(o.node), std::sin(o.node), 0.0);
    const Vec3 m = (h / hm) * n;
    o.u = atan20(dot(rc, m), dot(rc, n));
    return o;
}

// Squared eccentricity of the Kepler orbit with semi-latus rectum p at radius r with radial
// velocity rdot (GM = 1).
double squaredEccentricity(double p, double r, double rdot)
{
    const double ecosf = p / atLeastTiny(r) - 1.0;
    return ecosf * ecosf + p * rdot * rdot;
}

// Elements between the long- and short-period terms: mean semi-major axis am, semi-latus rectum
// pl and squared eccentricity el2 of the long-period orbit, and the mean inclination, node and
// the argument of latitude before the short-period terms, with the radius rl and radial velocity
// rdotl of the long-period orbit.
struct ShortPeriodFree {
    double am, pl, el2, incl, node, u, rl, rdotl;
};

// Removes the short-period terms by fixed-point iteration on the semi-latus rectum.
ShortPeriodFree removeShortPeriod(const Osculating& o)
{
    ShortPeriodFree s;
    s.pl = o.r * o.rvdot * o.r * o.rvdot;
    s.el2 = squaredEccentricity(s.pl, o.r, o.rdot);
    s.am = atLeastTiny(s.pl / atLeastTiny(1.0 - s.el2));
    s.incl = o.incl;
    s.node = o.node;
    s.u = o.u;
    s.rl = o.r;
    s.rdotl = o.rdot;
    const ShortPeriodFree start = s;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const double ci = std::cos(s.incl), si = std::sin(s.incl), ci2 = ci * ci;
        const double con41 = 3.0 * ci2 - 1.0, x1mth2 = 1.0 - ci2, x7thm1 = 7.0 * ci2 - 1.0;
        const double temp1 = kK2 / atLeastTiny(s.pl), temp2 = temp1 / atLeastTiny(s.pl);
        const double sin2u = std::sin(2.0 * s.u), cos2u = std::cos(2.0 * s.u);
        const double nm = 1.0 / (s.am * std::sqrt(s.am));
        s.u = o.u + 0.25 * temp2 * x7thm1 * sin2u;
        s.incl = o.incl - 1.5 * temp2 * ci * si * cos2u;
        s.node = o.node - 1.5 * temp2 * ci * sin2u;
        s.rdotl = o.rdot + nm * temp1 * x1mth2 * sin2u;
        const double rvdotl = o.rvdot - nm * temp1 * (x1mth2 * cos2u + 1.5 * con41);
        const double betal = std::sqrt(std::max(1.0 - s.el2, 0.0));
        s.rl = atLeastTiny((o.r - 0.5 * temp1 * x1mth2 * cos2u) /
                           atLeastTiny(1.0 - 1.5 * temp2 * betal * con41));
        const double pl = s.rl * rvdotl * s.rl * rvdotl;
        s.el2 = squaredEccentricity(pl, s.rl, s.rdotl);
        s.am = atLeastTiny(pl / atLeastTiny(1.0 - s.el2));
        const bool done = std::fabs(pl - s.pl) < kConverged;
        s.pl = pl;
        if (done) break;
    }
    // States far inside the Earth defeat the iteration: they keep their osculating values.
    const bool finite = std::isfinite(s.am + s.pl + s.el2 + s.incl + s.node + s.u + s.rl + s.rdotl);
    return finite ? s : start;
}

// Removes the long-period terms from the eccentricity vector (axnl, aynl) and the mean longitude
// from the node xl: mean eccentricity ecc, argument of perigee argp and mean anomaly manom.
void removeLongPeriod(double am, double incl, double axnl, double aynl, double xl, double& ecc,
                      double& argp, double& manom)
{
    const double si = std::sin(incl), ci = std::cos(incl);
    const double aycof = kA3ovk2Quarter * si;
    const double xlnum = kA3ovk2Eighth * si * (3.0 + 5.0 * ci);
    const double xlcof = std::fabs(1.0 + ci) > kIncl180Divisor ? xlnum / (1.0 + ci)
                                                                : xlnum / kIncl180Divisor;
    const double el = std::sqrt(axnl * axnl + aynl * aynl), perigee = atan20(aynl, axnl);
    ecc = el;
    argp = perigee;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const double ey = aynl - aycof / atLeastTiny(am * (1.0 - ecc * ecc));
        const double e = std::sqrt(axnl * axnl + ey * ey);
        argp = atan20(ey, axnl);
        const bool done = std::fabs(e - ecc) < kConverged;
        ecc = e;
        if (done) break;
    }
    manom = xl - argp - xlcof * axnl / atLeastTiny(am * (1.0 - ecc * ecc));
    if (!std::isfinite(ecc + argp + manom)) {
        ecc = el;
        argp = perigee;
        manom = xl - perigee;
    }
}

// TLE (Kozai) mean motion (radians per time unit with GM = 1) of the mean semi-major axis am,
// inverting the propagator's conversion of the Kozai mean motion at initialisation.
double kozaiMeanMotion(double am, double ecc, double incl)
{
    const double ci = std::cos(incl);
    const double omeosq = atLeastTiny(1.0 - ecc * ecc);
    const double d1 = kK2OneAndHalf * (3.0 * ci * ci - 1.0) / (omeosq * std::sqrt(omeosq));
    double a1 = am;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const double del1 = d1 / (a1 * a1);
        const double adel = a1 * (1.0 - del1 * del1 - del1 * (1.0 / 3.0 + 134.0 * del1 * del1 / 81.0));
        const double del0 = d1 / atLeastTiny(adel * adel);
        const double next = atLeastTiny(am / std::cbrt((1.0 + del0) * (1.0 + del0)));
        const bool done = std::fabs(next - a1) < kConverged;
        a1 = next;
        if (done) break;
    }
    if (!std::isfinite(a1)) a1 = am;
    return 1.0 / (a1 * std::sqrt(a1));
}
}  // namespace

void rv2el(const Vec3& r, const Vec3& v, double& incl, double& node, double& ecc, double& argp,
           double& manom, double& mm)
{
    // Earth radii, and Earth radii per time unit 1/kXke minutes (GM = 1).
    const Vec3 rc = r / kRadius;
    const Vec3 vc = v * (kSecondsPerMinute / kRadius / kXke);
    const ShortPeriodFree s = removeShortPeriod(osculating(rc, vc));

    // Long-period orbit: true anomaly from the Kepler relations, then the eccentric anomaly;
    // the perigee direction follows from the argument of latitude.
    const double el = std::sqrt(s.el2);
    const double f = atan20(s.rdotl * std::sqrt(s.pl), s.pl / atLeastTiny(s.rl) - 1.0);
    const double perigee = s.u - f;
    const double E = atan20(std::sqrt(std::max(1.0 - s.el2, 0.0)) * std::sin(f), el + std::cos(f));
    const double xl = E - el * std::sin(E) + perigee;

    double m;
    removeLongPeriod(s.am, s.incl, el * std::cos(perigee), el * std::sin(perigee), xl, ecc, argp,
                     m);
    const double n = kozaiMeanMotion(s.am, ecc, s.incl) * kXke;  // rad/min
    incl = s.incl * kRadToDeg;
    node = Reduce360(s.node * kRadToDeg);
    argp = Reduce360(argp * kRadToDeg);
    manom = Reduce360(m * kRadToDeg);
    mm = n * kMinutesPerDay / kTwoPi;
}

double Reduce360(double deg)
{
    double r = std::fmod(deg, 360.0);
    if (r < 0.0) r += 360.0;
    return r < 360.0 ? r : 0.0;  // a tiny negative angle must not round up to 360
}

void StoreSgp4Elements(WinpData* in, int slot, double mjd, const Vec3& r, const Vec3& v)
{
    const Mat3 f = Sgp4Frame(in, mjd);
    rv2el(mxvct(f, r), mxvct(f, v), in->elincl[slot], in->elnode[slot], in->elecc[slot],
          in->elargp[slot], in->elmanom[slot], in->elmm[slot]);
    in->elsma[slot] = getsax(1, in->elmm[slot], in->elecc[slot], in->elincl[slot]);
}

Mat3 Sgp4Frame(const WinpData* in, double mjd)
{
    const DateFrame f = MakeDateFrame(in, mjd);
    return zrot(f.eqeq / kTimeSecPerRad) * f.nut;
}
