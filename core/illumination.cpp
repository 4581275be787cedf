#include "core/illumination.h"

#include <algorithm>
#include <cmath>

#include "core/geodesy.h"
#include "foundation/units.h"

namespace {
using angle_units::kPi;
using angle_units::kRadToDeg;
// Radii of the Sun and the Moon, Earth radii.
constexpr double kSunRadius = 109.123;
constexpr double kMoonRadius = 0.272493;
// Shorter body-satellite vectors (Earth radii) are replaced by the satellite's distance.
constexpr double kTinyVector = 1e-9;
// Moon distances (Earth radii) up to which the semidiameter is a fixed small value, and the
// semidiameter (degrees) used when the observer is inside the Moon's radius.
constexpr double kNearMoon = 0.1;
constexpr double kNearMoonRatio = 0.00452121;
constexpr double kInsideMoonSd = 0.265;
// Sun-Moon distances below this (radians) count as central.
constexpr double kCentral = 1.745e-6;
// Remaining power at or below which no light is left, and the magnitude term then.
constexpr double kNoPower = 1e-12;
constexpr double kDarkTerm = 20.0;
// Full Moon's magnitude at 1 AU, V(1,0) = +0.23 (Allen, Astrophysical Quantities), and the phase
// scale (degrees per e-fold of the brightness): 2.5 log10(e) / 41.0041888 = 0.0265 magnitudes per
// degree, close to the linear term (0.026 per degree) of Allen's lunar phase law; where the exact
// figure comes from is not recorded.
constexpr double kMoonMagnitude = 0.23;
constexpr double kMoonPhaseScale = 41.0041888;
// Phase angle (degrees) used when it is undefined.
constexpr double kNoPhase = 180.0;
// Replacement for a non-positive Moon distance (AU) and for a vanishing phase factor.
constexpr double kTinyDistance = 1e-30;
constexpr double kTinyPhase = 1e-30;
// Offset of the magnitude law (diffuse sphere of the characteristic length).
constexpr double kMagnitudeOffset = 0.74;
// Extinction law A - B ln(elevation): elevation limits (degrees) and coefficients (magnitudes).
// The coefficients have no recorded source; they give 6.8 magnitudes at 0.01 degrees and
// about 0.1 at 33 degrees, where the law is cut off.
constexpr double kExtinctionLow = 0.01;
constexpr double kExtinctionHigh = 33.0;
constexpr double kExtinctionA = 2.9935;
constexpr double kExtinctionB = 0.828865;

// Angle (radians) between the vectors a and b; pi/2 when either is zero.
double angleBetween(const Vec3& a, const Vec3& b)
{
    return std::acos(std::clamp(dot(vnorm(a), vnorm(b)), -1.0, 1.0));
}

// Angular radius (radians) of a body of radius rad at body seen from sat.
double angularRadius(double rad, const Vec3& body, const Vec3& sat)
{
    const double d = abs(body - sat);
    return rad / (d < kTinyVector ? abs(sat) : d);
}

// Area of the overlap of two circles of radii s and m whose centres are d apart.
double lensArea(double s, double m, double d)
{
    const double a1 = std::acos(std::clamp((d * d + s * s - m * m) / (2.0 * d * s), -1.0, 1.0));
    const double a2 = std::acos(std::clamp((d * d + m * m - s * s) / (2.0 * d * m), -1.0, 1.0));
    const double k = (-d + s + m) * (d + s - m) * (d - s + m) * (d + s + m);
    return s * s * a1 + m * m * a2 - 0.5 * std::sqrt(std::max(k, 0.0));
}

// Magnitude term of the remaining light fraction p.
double dimming(double p)
{
    return p <= kNoPower ? kDarkTerm : -2.5 * std::log10(p);
}
}  // namespace

double AboveLimb(double elev, double dist)
{
    return dist <= 1.0 ? elev : elev + (0.5 * kPi - std::asin(1.0 / dist));
}

double MoonSemidiameter(double d)
{
    if (d <= kNearMoon) return std::asin(kNearMoonRatio) * kRadToDeg;
    const double ratio = kMoonRadius / d;
    return ratio > 1.0 ? kInsideMoonSd : std::asin(ratio) * kRadToDeg;
}

SolarEclipse EclipseAt(const Vec3& sat, const Vec3& sun, const Vec3& moon)
{
    SolarEclipse ecl;
    const double s = angularRadius(kSunRadius, sun, sat);
    const double m = angularRadius(kMoonRadius, moon, sat);
    ecl.dist = angleBetween(sun - sat, moon - sat);
    if (ecl.dist >= s + m) return ecl;
    ecl.type = 1;
    ecl.mag = (s + m - ecl.dist) / (2.0 * s);
    if (ecl.dist <= std::fabs(m - s) || ecl.dist < kCentral) {
        if (m < s) {
            ecl.type = 3;
            ecl.mag = m / s;
            ecl.power = 1.0 - ecl.mag * ecl.mag;
        } else {
            ecl.type = 2;
            ecl.power = 0.0;
        }
    } else {
        ecl.power = std::clamp(1.0 - lensArea(s, m, ecl.dist) / (kPi * s * s), 0.0, 1.0);
    }
    ecl.term = dimming(ecl.power);
    return ecl;
}

double MoonSourceMagnitude(const Vec3& sat, const Vec3& sun, const Vec3& moon)
{
    const Vec3 toSat = sat - moon;
    double delta = abs(toSat) / kEarthRadiiPerAu;
    if (delta <= 0.0) delta = kTinyDistance;
    const Vec3 toSun = sun - moon;
    const double phase =
        abs(toSat) > 0.0 && abs(toSun) > 0.0 ? angleBetween(toSun, toSat) * kRadToDeg : kNoPhase;
    return 5.0 * std::log10(delta) + kMoonMagnitude
           - 2.5 * std::log10(std::exp(-phase / kMoonPhaseScale));
}

double SatMagnitude(const Vec3& sat, const Vec3& obs, const Vec3& src, double srcmag, double range,
                    double charlen, double ecl)
{
    double k = 0.5 * (1.0 + std::cos(angleBetween(src - sat, obs - sat)));
    if (k < kTinyPhase) k = 1.0;
    const double distance = range > 0.0 ? 5.0 * std::log10(1000.0 * range / charlen) : 0.0;
    return srcmag + distance - 2.5 * std::log10(k) + kMagnitudeOffset + ecl;
}

double Extinction(double elev)
{
    if (elev <= kExtinctionLow || elev >= kExtinctionHigh) return 0.0;
    return kExtinctionA - kExtinctionB * std::log(elev);
}
