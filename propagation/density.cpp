#include <algorithm>
#include <cmath>

#include "foundation/units.h"
#include "propagation/forcemodel.h"
#include "propagation/jacchia71_table.h"

namespace {
using angle_units::kPi;
using angle_units::kTwoPi;

// Geocentric distances (m) outside which no density is computed (2500 km height at most).
constexpr double kMaxRadius = 8870000.0;
constexpr double kMinRadius = 1.0;
// Height range of the model (km): polynomial floor and top.
constexpr double kFloorHeight = 90.0;
constexpr double kTopHeight = 2500.0;
// Sea-level density (kg/m^3) reached by the exponential below 90 km.
constexpr double kSeaLevelDensity = 1.29;

// Upper edges of the polynomial's height bands (km) and its temperature split (1000 K).
constexpr double kBandEdges[3] = {180.0, 500.0, 1000.0};
constexpr double kTempSplit = 0.85;
// Temperature range of the fit (1000 K).
constexpr double kMinTemp = 0.5;
constexpr double kMaxTemp = 1.9;

// Jacchia (1971) diurnal variation: the temperature bulge lags the Sun by beta = -37 deg,
// with amplitude p = 6 deg at phase gamma = 43 deg, relative amplitude R = 0.3, exponent 2.2/2.
constexpr double kBulgeBeta = -0.645772;
constexpr double kBulgeP = 0.10472;
constexpr double kBulgeGamma = 0.750492;
constexpr double kBulgeR = 0.3;
constexpr double kBulgeExp = 1.1;
// Geomagnetic activity: height (km) and scale of the transition between the two heating laws.
constexpr double kGeomagHeight = 350.0;
constexpr double kGeomagScale = 0.04;
// Semi-annual variation: MJD origin (1958 Jan 1), tropical year (days), height limits (km).
constexpr double kSemiAnnualMjd0 = 36204.0;
constexpr double kTropicalYear = 365.2422;
constexpr double kSemiAnnualTop = 400.0;
constexpr double kSemiAnnualFull = 300.0;

// Kp is defined on 0..9; larger values would overflow exp(kp) without meaning.
constexpr double kMaxKp = 9.0;

// Geodetic height (km) on the WGS-84 ellipsoid of the geocentric position r (m).
double geodeticHeight(const Vec3& r)
{
    const double rho2 = r[0] * r[0] + r[1] * r[1];
    double dz = kEarthE2 * r[2];
    double nh = 0.0, n = kEarthRadiusM;
    for (int it = 0; it < 3; ++it) {
        const double zdz = r[2] + dz;
        nh = std::sqrt(rho2 + zdz * zdz);
        const double sinphi = zdz / nh;
        n = kEarthRadiusM / std::sqrt(1.0 - kEarthE2 * sinphi * sinphi);
        dz = n * kEarthE2 * sinphi;
    }
    return (nh - n) / 1000.0;
}

// Weight (0..1) of the upper-atmosphere geomagnetic heating law at height z (km).
double geomagWeight(double z)
{
    return 0.5 * (std::tanh(kGeomagScale * (z - kGeomagHeight)) + 1.0);
}

// Angle reduced to (-pi, pi].
double wrapPi(double a)
{
    a = std::fmod(a, kTwoPi);
    if (a > kPi) a -= kTwoPi;
    if (a <= -kPi) a += kTwoPi;
    return a;
}

// Exospheric temperature (1000 K, limited to the fit's range) for satellite and Sun
// directions (polar: r, right ascension, declination) at height z (km).
double exosphericTemp(const Vec3& sat, const Vec3& sun, double f107, double f107avg,
                      double kp, double z)
{
    const double tc = 379.0 + 3.24 * f107avg + 1.3 * (f107 - f107avg);
    const double ha = sat[1] - sun[1];
    const double tau = wrapPi(ha + kBulgeBeta + kBulgeP * std::sin(ha + kBulgeGamma));
    const double phi = sat[2], delta = sun[2];
    const double s = std::pow(std::pow(std::sin(0.5 * (phi + delta)), 2), kBulgeExp);
    const double c = std::pow(std::pow(std::cos(0.5 * (phi - delta)), 2), kBulgeExp);
    const double tl = tc * (1.0 + kBulgeR * (s + (c - s) * std::pow(std::cos(0.5 * tau), 3)));
    const double b = geomagWeight(z);
    const double ekp = std::exp(kp);
    const double t = tl + (14.0 * kp + 0.02 * ekp) * (1.0 - b) + (28.0 * kp + 0.03 * ekp) * b;
    return std::clamp(t / 1000.0, kMinTemp, kMaxTemp);
}

// Semi-annual correction to log10 rho at height z (km) and time phi (tropical years since 1958).
double semiAnnual(double z, double phi)
{
    const double tsa =
        phi + 0.09544 * (std::pow(0.5 + 0.5 * std::sin(kTwoPi * phi + 6.035), 1.65) - 0.5);
    const double g = 0.02835 + (0.3817 + 0.17829 * std::sin(kTwoPi * tsa + 4.137)) *
                                   std::sin(2.0 * kTwoPi * tsa + 4.259);
    const double zs = std::min(z, kSemiAnnualFull);
    const double f = (5.876e-7 * std::pow(zs, 2.331) + 0.06328) * std::exp(-0.002868 * zs);
    const double scale = z > kSemiAnnualFull + 0.1 ? (kSemiAnnualTop - z) / 100.0 : 1.0;
    return f * g * scale;
}

// Seasonal-latitudinal correction to log10 rho at height z (km), geocentric latitude
// lat (rad) and time phi (tropical years since 1958).
double seasonalLatitudinal(double z, double lat, double phi)
{
    const double dz = z - kFloorHeight;
    const double sl = std::sin(lat);
    return 0.014 * dz * std::exp(-0.0013 * dz * dz) * std::copysign(sl * sl, lat) *
           std::sin(kTwoPi * phi + 1.72);
}
}  // namespace

double Jacc71LogDensity(double z, double t)
{
    z = std::max(z, kFloorHeight);
    t = std::clamp(t, kMinTemp, kMaxTemp);
    int band = 0;
    while (band < 3 && z > kBandEdges[band]) ++band;
    const Jacchia71Block& c = kJacchia71[2 * band + (t > kTempSplit ? 1 : 0)];
    const double x = z / 1000.0;
    double sum = 0.0;
    for (int j = 5; j >= 0; --j) {
        const auto& row = c[j];
        sum = sum * x + (((row[4] * t + row[3]) * t + row[2]) * t + row[1]) * t + row[0];
    }
    return sum;
}

double Jacc71(double mjd, const Vec3& r, const Vec3& sun, double f107, double f107avg,
              double kp, double& h)
{
    const double rr = abs(r);
    if (!(rr <= kMaxRadius && rr >= kMinRadius)) {
        h = kTopHeight;
        return 0.0;
    }
    h = geodeticHeight(r);
    if (!(h >= 0.0 && h <= kTopHeight)) return 0.0;

    kp = std::clamp(kp, 0.0, kMaxKp);
    const double z = std::max(h, kFloorHeight);
    const Vec3 sat = carpol(r);
    const double t = exosphericTemp(sat, carpol(sun), f107, f107avg, kp, z);
    double logrho = Jacc71LogDensity(z, t);
    if (z < kGeomagHeight) logrho += (0.012 * kp + 1.2e-5 * std::exp(kp)) * (1.0 - geomagWeight(z));
    const double phi = (mjd - kSemiAnnualMjd0) / kTropicalYear;
    if (z < kSemiAnnualTop) logrho += semiAnnual(z, phi);
    logrho += seasonalLatitudinal(z, sat[2], phi);

    const double rho = std::pow(10.0, logrho);
    if (h >= kFloorHeight) return rho;
    return rho * std::exp((kFloorHeight - h) / kFloorHeight * std::log(kSeaLevelDensity / rho));
}
