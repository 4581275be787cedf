#include "core/launch.h"

#include <algorithm>
#include <cmath>

#include "astro/timescales.h"
#include "core/epochstate.h"
#include "core/geodesy.h"
#include "core/rv2el.h"
#include "core/timeset.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kPi;
using angle_units::kRadToDeg;
using angle_units::kTwoPi;

using time_units::kMinutesPerDay;
using angle_units::kDegPerHour;
// |latitude| (radians, about 80 degrees) up to which the site latitude is made geocentric.
constexpr double kGeocentricLimit = 1.396;
// Replacement of a zero sine of the inclination or cosine of the site latitude.
constexpr double kNonZero = 1e-5;
// Longest cut-off time (minutes) used for the node and the perigee passage.
constexpr double kMaxCutoff = 12.0;
// Fraction of the cut-off time after which the ascent is taken to cross the node's meridian and
// by which the downrange motion is measured.
constexpr double kAscentFraction = 0.45;
// 1.5 J2 (J2 = 0.00108263): scale of the secular nodal drift.
constexpr double kJ2Rate = 0.001623942;
// Eccentricity limit and smallest semi-major axis (km) of the drift formula.
constexpr double kMaxDriftEcc = 0.9999;
constexpr double kMinAxis = 1.0;
// Sidereal rotation rate of the Earth, rad/day.
constexpr double kSiderealRate = 6.3003888;
// Coefficients of the equation of centre to third order in e: 13/12 for sin 3x.
constexpr double kCentre2 = 1.25;
constexpr double kCentre3 = 1.08333;

// Geocentric latitude (radians) of the geodetic site latitude lat (degrees).
double siteLatitude(double lat)
{
    const double phi = lat * kDegToRad;
    return std::fabs(phi) < kGeocentricLimit ? std::atan(std::tan(phi) / kGeocentricRatio) : phi;
}

// Right ascension (degrees) of the node on the meridian lon (degrees east) for a launch at t
// (MJD) with the limited cut-off time tm (minutes).
double nodeAt(double t, double lon, double tm)
{
    return Reduce360(kDegPerHour * lsidtim(t + kAscentFraction * tm / kMinutesPerDay, lon, 0.0));
}

// True anomaly (radians) at the mean anomaly x (radians) by the equation of centre.
double trueAnomaly(double x, double e)
{
    return (2.0 - e * e / 4.0) * e * std::sin(x) + x + kCentre2 * e * e * std::sin(2.0 * x) +
           kCentre3 * e * e * e * std::sin(3.0 * x);
}

// Angle (radians) folded into (-pi, pi].
double fold(double a) { return atan20(std::sin(a), std::cos(a)); }

// Launch time shift (days, earlier when positive) that brings the node of the prime slot p onto
// that of slot k rdvtime days after the launch, both drifting at their nodal rates.
double rendezvousShift(const WinpData* in, int p, int k)
{
    const double driftP = NodalDrift(in, p), driftK = NodalDrift(in, k);
    const double w = (in->elnode[p] - in->elnode[k]) * kDegToRad -
                     (in->elepoch[p] - in->elepoch[k]) * driftK;
    return fold(w + (driftP - driftK) * in->rdvtime) / (kSiderealRate - driftK);
}
}  // namespace

double NodalDrift(const WinpData* in, int slot)
{
    const double e = std::min(in->elecc[slot], kMaxDriftEcc);
    const double a = std::max(in->elsma[slot], kMinAxis);
    const double q = kEarthRadiusKm / a / (1.0 - e * e);
    return -kTwoPi * in->elmm[slot] * kJ2Rate * q * q * std::cos(in->elincl[slot] * kDegToRad);
}

void LaunchOrb(WinpData* in)
{
    const int p = in->prime;
    if (p < 0 || p >= kMaxSat) return;
    const int numflg = in->numflg[p];
    in->numflg[p] = 0;
    in->elepoch[p] = in->mjd;

    // Argument of latitude of the site on the orbit and the launch azimuth.
    const double phi = siteLatitude(in->lnchlat);
    const double incl = in->elincl[p] * kDegToRad;
    const double sini = std::sin(incl) == 0.0 ? kNonZero : std::sin(incl);
    const double cosphi = std::cos(phi) == 0.0 ? kNonZero : std::cos(phi);
    double u = std::asin(std::clamp(std::sin(phi) / sini, -1.0, 1.0));
    if (in->lnchsouth) u = kPi - u;
    const double northward = std::cos(incl) / cosphi;
    const double c = std::clamp(std::cos(u) / cosphi, -1.0, 1.0);
    in->lnchazim = Reduce360(atan20(northward, sini * c) * kRadToDeg);

    // Node: the meridian dL west of the site (east for a northward launch from the south).
    double dL = std::fabs(std::acos(c)) * kRadToDeg;
    if (northward * in->lnchlat < 0.0) dL = -dL;
    const double nodeLon = in->lnchlon - dL;
    const double tm = std::min(in->lnchmeco, kMaxCutoff);
    in->elnode[p] = nodeAt(in->elepoch[p], nodeLon, tm);

    // Perigee at cut-off, downrange of the site by the motion during the ascent.
    const double e = in->elecc[p];
    in->elmanom[p] = Reduce360(-360.0 * in->elmm[p] * tm / kMinutesPerDay);
    const double x = kAscentFraction * kTwoPi * in->elmm[p] * in->lnchmeco / kMinutesPerDay;
    in->elargp[p] = Reduce360((u + trueAnomaly(x, e)) * kRadToDeg);

    const int k = in->rdvslot;
    if (in->rdvsel >= 0 && k >= 0 && k < kMaxSat) {
        in->elepoch[p] -= rendezvousShift(in, p, k);
        in->elnode[p] = nodeAt(in->elepoch[p], nodeLon, tm);
        in->mjd = in->elepoch[p];
        setLocalDate(in);
    }

    if (e < 1.0 && in->sgp4flg[p]) {
        // The Keplerian orbit at epoch, re-expressed as SGP4 mean elements.
        in->sgp4flg[p] = 0;
        EpochState(in, p, false);
        StoreSgp4Elements(in, p, in->elepoch[p],
                          Vec3(in->svpos[0][p], in->svpos[1][p], in->svpos[2][p]),
                          Vec3(in->svvel[0][p], in->svvel[1][p], in->svvel[2][p]));
        in->sgp4flg[p] = 1;
    }
    in->sgpslot = kNoSgpSlot;
    EpochState(in, p, in->rdvsel >= 0);
    in->numflg[p] = numflg;
}
