#include "core/mirror.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "astro/frames.h"
#include "core/eventkinds.h"
#include "core/geodesy.h"
#include "core/illumination.h"
#include "foundation/arith.h"
#include "foundation/units.h"
#include "propagation/attitude.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kRadToDeg;
using angle_units::kTwoPi;
// Yaw of the Iridium antennas (degrees): front, left, right.
constexpr double kAntennaYaws[kIridiumAntennas] = {0.0, -120.0, 120.0};
// Range of the cosine of the flare angle.
constexpr double kMinFlareCos = 0.0001;
constexpr double kMaxFlareCos = 0.9999999999;
// Cosine of incidence used when the light falls on the back of the mirror.
constexpr double kMinIncidence = 0.0001;
// Magnitude of a mirror at 1 km before the incidence and brightness laws.
constexpr double kMirrorMagnitude = -14.4;
// Antenna law: A ln(theta) + B, at least kAntennaFloor, minus kAntennaOffset.
constexpr double kAntennaA = 3.2437;
constexpr double kAntennaB = 5.71785;
constexpr double kAntennaFloor = -0.2;
constexpr double kAntennaOffset = 8.7;
// Panel law: C theta + D below kPanelBreak degrees, E theta + F above, minus kPanelOffset.
constexpr double kPanelBreak = 3.5;
constexpr double kPanelC = 0.993;
constexpr double kPanelD = -3.867;
constexpr double kPanelE = 1.5;
constexpr double kPanelF = -5.6415;
constexpr double kPanelOffset = 0.7;
// Band of sub-satellite latitudes (degrees) in which the panel is tilted to the side: the plane
// of yaw +-90 and pitch 40, whose lit face then looks across the track and 40 degrees down.
constexpr double kPanelBandLow = 40.0;
constexpr double kPanelBandHigh = 65.0;
constexpr double kPanelSideYaw = 90.0;
constexpr double kPanelTilt = 40.0;
// Elevations (degrees) up to this give no flare.
constexpr double kMinFlareElev = 1e-5;

// Angle (degrees) between the unit vectors a and b.
double angleDeg(const Vec3& a, const Vec3& b)
{
    return std::acos(std::clamp(dot(a, b), -1.0, 1.0)) * kRadToDeg;
}

// True when the surface of the settings is given in the local attitude (else by R.A./Dec.).
bool localSurface(const WinpData* in) { return std::abs(in->knownsurf) == 1; }

// Unit vector of date of the surface direction (a, b): yaw/pitch in the local attitude, or the
// R.A. (h.mmss) and Dec. (d.mmss) of the epoch of the settings.
Vec3 surfaceDirection(const WinpData* in, const EventScene& sc, double a, double b)
{
    if (localSurface(in)) return AttitudeDirection(in, sc.r, sc.v, a, b, in->yawsteer);
    return mxvct(mxtrn(EpochMatrix(in, sc.f)), SkyDirection(a, b));
}

// The site (km, of date) on the ellipsoid at its geodetic latitude: event distances are measured
// from it.
Vec3 siteOfDate(const WinpData* in, const DateFrame& f)
{
    return GeoPos(f.trot, f.eqeq, in->obslat * kDegToRad, in->obslon * kDegToRad, in->obshgt, in->polex,
                  in->poley) * kEarthRadiusKm;
}

// The light on the satellite and the directions the flare geometry works with.
struct Lighting {
    Vec3 s;      // unit vector toward the light source
    Vec3 o;      // unit vector toward the site
    Vec3 ideal;  // normal of the mirror that would send the light to the site
};

// One reflector's flare.
struct Flare {
    double ctrlat = kNoCentreLine, ctrlon = 0.0;
    double dist = kNoMagnitude;  // distance of the centre-line point from the site (prime slot), km
    double theta = 0.0;          // flare angle, degrees
    double mag = kNoMagnitude;
};

// Flare magnitude of the prime slot for a mirror lit at the cosine of incidence cosinc seen at
// the flare angle theta; ordinary is the satellite's own magnitude.
double flareMagnitude(const WinpData* in, const SatPosData* sp, int slot, const EventScene& sc, double cosinc,
                      double theta, bool panel, double ordinary)
{
    const bool display = in->iridflg && in->iridmode < kIridiumMode;
    const double elev = sp->elev[slot];
    double m = kNoMagnitude;
    if (elev > kMinFlareElev) {
        m = FlareMagnitude(sp->range[slot], elev, in->extinct, cosinc, theta, panel && !display);
        if (in->moonvis) {
            const bool byMoon = sp->sunlit[slot] < 0.0 && sp->moonlit[slot] > 0.0;
            m = byMoon ? m + MoonSourceMagnitude(sc.r / kEarthRadiusKm, sc.sun, sc.moon) - kSunMagnitude : kNoMagnitude;
        }
    }
    if (display) {
        if (m < kNoMagnitude) m += kAntennaOffset + in->flrmaxmag;
        m = std::min(m, ordinary);
    }
    return m;
}

// Flare of the mirror of unit normal n: the reflected light handed to the intersection as a
// fixed direction, the flare angle and, when wanted, the magnitude.
Flare reflect(WinpData* in, SatPosData* sp, int slot, const EventScene& sc, const Lighting& l, const Vec3& n,
              bool panel, bool magnitude, double ordinary)
{
    Flare fl;
    const Vec3 ray = ReflectedRay(n, l.s);
    const int occmode = in->occmode;
    in->occmode = kFixedTarget;
    sp->mag = ordinary;
    GetOccTrans(sc.f.trot, in, sp, slot, sc.f.eqeq, sc.r / kEarthRadiusKm, -ray);
    in->occmode = occmode;
    fl.ctrlat = sp->ctrlat[slot];
    fl.ctrlon = sp->ctrlon[slot];
    fl.dist = sp->mag;
    fl.theta = FlareAngle(ray, l.o);
    if (magnitude) fl.mag = flareMagnitude(in, sp, slot, sc, dot(n, l.s), fl.theta, panel, ordinary);
    return fl;
}

// Normal of the user's surface: the panel during the Iridium panel run, the ideal mirror when
// the surface is unknown, else the given direction.
Vec3 userNormal(const WinpData* in, const SatPosData* sp, int slot, const EventScene& sc, const Lighting& l)
{
    if (in->iridmode == kIridiumMode && in->iraltmdl) return PanelNormal(sc.r, sc.v, l.s, sp->lat[slot]);
    if (in->knownsurf <= 0) return l.ideal;
    return surfaceDirection(in, sc, in->flryaw, in->flrpitch);
}

// Display values of the user's surface for the prime slot: the ideal mirror angles of an
// unknown surface, and flrang (flare angle, cylinder angle or solar panel angle).
void displayAngles(WinpData* in, const EventScene& sc, const Lighting& l, double theta)
{
    if (in->knownsurf <= 0) {
        if (localSurface(in))
            AttitudeAngles(in, sc.r, sc.v, l.ideal, in->yawsteer, in->flryaw, in->flrpitch);
        else
            SkyCoordinates(mxvct(EpochMatrix(in, sc.f), l.ideal), in->flryaw, in->flrpitch);
    }
    in->flrang = theta;
    if (in->cylflare)
        in->flrang = angleDeg(surfaceDirection(in, sc, in->flryaw2, in->flrpitch2), l.ideal);
    else if (in->solpanel && in->knownsurf <= 0 && !localSurface(in))
        in->flrang = angleDeg(l.s, l.ideal);
}
}  // namespace

double AntennaYaw(int k) { return kAntennaYaws[std::clamp(k, 0, kIridiumAntennas - 1)]; }

Vec3 ReflectedRay(const Vec3& n, const Vec3& s) { return n * (2.0 * dot(s, n)) - s; }

Vec3 IdealNormal(const Vec3& s, const Vec3& o) { return vnorm(s + o); }

double FlareAngle(const Vec3& ray, const Vec3& o)
{
    return std::acos(std::clamp(dot(ray, o), kMinFlareCos, kMaxFlareCos)) * kRadToDeg;
}

double AntennaLaw(double theta)
{
    return std::max(kAntennaA * std::log(theta) + kAntennaB, kAntennaFloor) - kAntennaOffset;
}

double PanelLaw(double theta)
{
    const double f = theta < kPanelBreak ? kPanelC * theta + kPanelD : kPanelE * theta + kPanelF;
    return f - kPanelOffset;
}

double FlareMagnitude(double range, double elev, bool extinct, double cosinc, double theta, bool panel)
{
    double m = 5.0 * std::log10(range) + kMirrorMagnitude;
    if (extinct) m += Extinction(elev);
    m -= 2.5 * std::log10(cosinc > 0.0 ? cosinc : kMinIncidence);
    return m + (panel ? PanelLaw(theta) : AntennaLaw(theta));
}

Vec3 AttitudeDirection(const WinpData*, const Vec3& r, const Vec3& v, double yaw, double pitch, bool yawsteer)
{
    const Mat3 m = yawsteer ? GetYSMat(r, v, yaw, pitch) : GetRVMat(r, v, yaw, pitch, 1);
    return Vec3(m.at(0, 0), m.at(0, 1), m.at(0, 2));
}

void AttitudeAngles(const WinpData*, const Vec3& r, const Vec3& v, const Vec3& n, bool yawsteer, double& yaw,
                    double& pitch)
{
    const Mat3 m = yawsteer ? GetYSMat(r, v, 0.0, 0.0) : GetRVMat(r, v, 0.0, 0.0, 1);
    const Vec3 local = mxvct(m, n);
    yaw = FoldPositive(std::atan2(local[1], local[0]), kTwoPi);
    yaw *= kRadToDeg;
    pitch = std::asin(std::clamp(-local[2], -1.0, 1.0)) * kRadToDeg;
}

Vec3 PanelNormal(const Vec3& r, const Vec3& v, const Vec3& s, double lat)
{
    const Mat3 m = GetRVMat(r, v, 0.0, 0.0, 1);
    const Vec3 wing(m.at(1, 0), m.at(1, 1), m.at(1, 2));
    const double side = dot(s, wing);
    if (std::fabs(lat) >= kPanelBandLow && std::fabs(lat) <= kPanelBandHigh) {
        const Mat3 p = GetRVMat(r, v, side >= 0.0 ? kPanelSideYaw : -kPanelSideYaw, -kPanelTilt, 1);
        return Vec3(p.at(0, 0), p.at(0, 1), p.at(0, 2));
    }
    const Vec3 facing = s - wing * side;
    return abs(facing) > 0.0 ? vnorm(facing) : s;
}

void MirrorGeometry(WinpData* in, SatPosData* sp, int slot, const EventScene& sc)
{
    const bool prime = slot == in->prime;
    const bool iridium = !in->flares && prime && in->iridmode == kIridiumMode;
    const bool byMoon = in->moonvis != 0;
    if ((!in->flares && !iridium) || (byMoon ? sp->moonlit[slot] : sp->sunlit[slot]) <= 0.0) return;
    const Vec3 source = (byMoon ? sc.moon : sc.sun) * kEarthRadiusKm;
    Lighting l;
    l.s = vnorm(source - sc.r);
    l.o = vnorm(siteOfDate(in, sc.f) - sc.r);
    l.ideal = IdealNormal(l.s, l.o);
    const double ordinary = sp->mag;
    const bool magnitude = prime && (in->iridmode == kIridiumMode || in->iridflg);

    Flare best;
    if (in->flares) {
        best = reflect(in, sp, slot, sc, l, userNormal(in, sp, slot, sc, l), in->iraltmdl, magnitude, ordinary);
        if (prime) displayAngles(in, sc, l, best.theta);
    } else {
        const int count = in->irpanel ? kIridiumReflectors : kIridiumAntennas;
        double theta = 0.0;
        for (int k = 0; k < count; ++k) {
            const bool panel = k == kSolarPanel;
            const Vec3 n = panel ? PanelNormal(sc.r, sc.v, l.s, sp->lat[slot])
                                 : AttitudeDirection(in, sc.r, sc.v, AntennaYaw(k), kAntennaPitch, false);
            const Flare fl = reflect(in, sp, slot, sc, l, n, panel || in->iraltmdl, true, ordinary);
            if (k == 0 || fl.mag < best.mag) best = fl;
            theta = k == 0 ? fl.theta : std::min(theta, fl.theta);
        }
        in->flrang = theta;
    }
    sp->ctrlat[slot] = best.ctrlat;
    sp->ctrlon[slot] = best.ctrlon;
    if (prime) sp->mag = magnitude ? best.mag : best.dist;
}
