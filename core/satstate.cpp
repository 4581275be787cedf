#include "core/satstate.h"

#include <algorithm>
#include <cmath>

#include "astro/frames.h"
#include "core/dateframe.h"
#include "core/geodesy.h"
#include "core/illumination.h"
#include "core/keplerj2.h"
#include "core/mirror.h"
#include "core/numslot.h"
#include "core/occtrans.h"
#include "core/satsgp4.h"
#include "core/siteinstant.h"
#include "foundation/arith.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kRadToDeg;
using angle_units::kTwoPi;
// Speed of light, km/s.
constexpr double kSpeedOfLight = 299792.458;
using length_units::kMetresPerKm;

// Values of one satellite row of the state record (angles in degrees).
struct Row {
    double lat, lon, height;  // sub-satellite point; height km
    double ra, dec;           // h.mmss and d.mmss
    double azim, elev, range, rrate;
    double sunlit, moonlit;
};

// The second satellite of relative mode for slot, or -1 when relative mode does not apply.
int relativePartner(const WinpData* in, int slot)
{
    return (RelativeMode(in) && slot == in->prime && slot < kMaxSat) ? SecondSlot(in) : -1;
}

// Keeps an analytic state of slot (km, km/s, true of date) as the start of numerical
// propagation: metres and m/s in its frame, the mean equator of date.
void storeState(WinpData* in, int slot, const DateFrame& f, const Vec3& r, const Vec3& v)
{
    const Mat3 mean = mxtrn(f.nut);
    const Vec3 rm = mxvct(mean, r) * kMetresPerKm, vm = mxvct(mean, v) * kMetresPerKm;
    for (unsigned k = 0; k < 3; ++k) {
        in->stpos[k][slot] = rm[k];
        in->stvel[k][slot] = vm[k];
    }
    in->stmjd[slot] = f.t;
}

// Position r (km) and velocity v (km/s) of slot at f.t in the true equator and equinox of date.
void propagate(WinpData* in, int slot, const DateFrame& f, const Vec3& sun, const Vec3& moon, Vec3& r,
               Vec3& v)
{
    if (in->numflg[slot]) {
        NumPropSlot(f.t, in, slot, sun, moon, r, v);
        r = mxvct(f.nut, r);
        v = mxvct(f.nut, v);
        return;
    }
    const double dt = f.t - in->elepoch[slot];
    if (in->sgp4flg[slot]) {
        Sgp4(in, dt, slot, r, v);
        r = mxvct(f.teme, r);
        v = mxvct(f.teme, v);
    } else {
        KeplerJ2(in, slot, dt, r, v);
    }
    storeState(in, slot, f, r, v);
}

// Sub-satellite point of r (km, true of date) into row.
void subSatellitePoint(const WinpData* in, const DateFrame& f, const Vec3& r, Row& row)
{
    Vec3 fixed = mxvct(zrot(f.gast), r);
    if (in->polex != 0.0 || in->poley != 0.0) fixed = mxvct(PoleMx(in->polex, in->poley), fixed);
    GeodeticPoint(fixed, row.lat, row.lon, row.height);
    row.lat *= kRadToDeg;
    row.lon *= kRadToDeg;
}

// Direction (km) from o to the satellite at r, v; with IERS values corrected for light time.
Vec3 topocentric(const WinpData* in, const Observer& o, const Vec3& r, const Vec3& v)
{
    const Vec3 topo = r - o.r;
    return in->iersflg ? r - v * (abs(topo) / kSpeedOfLight) - o.r : topo;
}

// The direction topo (km) from the site in its horizon frame, Earth radii.
Vec3 horizonVector(const SiteInstant& s, const Vec3& topo) { return mxvct(s.horizon, topo / kEarthRadiusKm); }

// Elevation and range of the satellite in the horizon direction h (Earth radii) into row.
void elevationRange(const Vec3& h, Row& row)
{
    double el, dist;
    HorizonElevation(h, el, dist);
    row.elev = el * kRadToDeg;
    row.range = dist * kEarthRadiusKm;
}

// Azimuth, elevation and range of the satellite in the direction topo (km) seen from the site.
void horizonAngles(const SiteInstant& s, const Vec3& topo, Row& row)
{
    const Vec3 h = horizonVector(s, topo);
    elevationRange(h, row);
    row.azim = AzimuthDegrees(h);
}

// R.A., Dec., look angles, range and range rate of the satellite at r, v seen by o from the site s.
void lookAngles(const WinpData* in, const SiteInstant& s, const Observer& o, const Vec3& r,
                const Vec3& v, Row& row)
{
    const Vec3 topo = topocentric(in, o, r, v);
    row.rrate = dot(v - o.v, vnorm(topo));
    SkyCoordinates(mxvct(EpochMatrix(in, s.frame), topo), row.ra, row.dec);
    horizonAngles(s, topo, row);
}

// Height (degrees) of the body above the Earth's limb seen from the satellite at r (km).
double limbHeight(const DateFrame& f, const Row& row, const Vec3& r, const Vec3& body)
{
    double az, el, dist;
    AppPos(f.trot, f.eqeq, row.lat * kDegToRad, row.lon * kDegToRad, row.height * kMetresPerKm, 1,
           body, az, el, dist);
    return AboveLimb(el, abs(r) / kEarthRadiusKm) * kRadToDeg;
}

// The Sun at the site and the sub-solar point.
void sunValues(const DateFrame& f, const Observer& o, const Vec3& sun, SatPosData* sp)
{
    double az, el, dist;
    AppPos(f.trot, f.eqeq, o.lat, o.lon, o.hgt, 1, sun, az, el, dist);
    sp->sunelev = el * kRadToDeg;
    sp->sunazim = az;
    const Vec3 p = carpol(sun);
    sp->sunlat = SubSolarLatitude(p[2]) * kRadToDeg;
    sp->sunlon = FoldPi(p[1] - f.gast) * kRadToDeg;
}

// The Moon at the site: azimuth, elevation (radians) and apparent semidiameter.
void moonValues(const DateFrame& f, const Observer& o, const Vec3& moon, SatPosData* sp)
{
    double dist;
    AppPos(f.trot, f.eqeq, o.lat, o.lon, o.hgt, 1, moon, sp->moonazim, sp->moonelev, dist);
    sp->moonsd = MoonSemidiameter(dist);
}

// Solar eclipse at the satellite r (Earth radii), kept in the settings for display; returns
// its magnitude term.
double eclipseCheck(WinpData* in, const Vec3& r, const Vec3& sun, const Vec3& moon)
{
    const SolarEclipse ecl = EclipseAt(r, sun, moon);
    in->ecltype = ecl.type;
    in->eclmag = ecl.mag;
    in->smang = ecl.dist * kRadToDeg;
    in->eclpow = ecl.power;
    return ecl.term;
}

// Apparent magnitude of the satellite at r (Earth radii) seen from o; kNoMagnitude without a
// size, kEclipsedMagnitude in the Earth's shadow unless the Moon lights it.
double magnitude(const WinpData* in, const Row& row, const Vec3& r, const Observer& o, const Vec3& sun,
                 const Vec3& moon, double ecl)
{
    if (in->charlen <= 0.0) return kNoMagnitude;
    const bool byMoon = in->moonvis && row.sunlit < 0.0 && row.moonlit > 0.0;
    if (row.sunlit < 0.0 && !byMoon) return kEclipsedMagnitude;
    const double src = byMoon ? MoonSourceMagnitude(r, sun, moon) : kSunMagnitude;
    double mag = SatMagnitude(r, o.r / kEarthRadiusKm, byMoon ? moon : sun, src, row.range,
                              in->charlen, ecl);
    if (in->extinct) mag += Extinction(row.elev);
    return mag;
}

// Copies row into the state record's slot.
void writeRow(SatPosData* sp, int slot, const Row& row, bool moonlit)
{
    sp->lat[slot] = row.lat;
    sp->lon[slot] = row.lon;
    sp->height[slot] = row.height;
    sp->ra[slot] = row.ra;
    sp->dec[slot] = row.dec;
    sp->azim[slot] = row.azim;
    sp->elev[slot] = row.elev;
    sp->range[slot] = row.range;
    sp->rrate[slot] = row.rrate;
    sp->sunlit[slot] = row.sunlit;
    if (moonlit) sp->moonlit[slot] = row.moonlit;
}

// Relative mode: the prime's row takes the second satellite's point, and keeps its own point
// in ra/dec and its height in sunlit.
void relativeRow(SatPosData* sp, int prime, int second)
{
    sp->primelit = sp->sunlit[prime];
    sp->ra[prime] = sp->lat[prime];
    sp->dec[prime] = sp->lon[prime];
    sp->sunlit[prime] = sp->height[prime];
    sp->lat[prime] = sp->lat[second];
    sp->lon[prime] = sp->lon[second];
    sp->height[prime] = sp->height[second];
}

// Centre-line point of a transit, occultation or flare of slot (none by default), and for the
// prime slot the event quantity in sp->mag.
void eventGeometry(WinpData* in, SatPosData* sp, int slot, const EventScene& scene)
{
    sp->ctrlat[slot] = kNoCentreLine;
    if (in->occmode >= kSunTarget && in->occmode <= kFixedTarget)
        TransitGeometry(in, sp, slot, scene);
    else
        MirrorGeometry(in, sp, slot, scene);
}

// Saved site of the settings, put back when relative mode has moved the observer.
struct SiteFields {
    double lat, lon, hgt;
};
}  // namespace

void GetSatPos(double mjd, WinpData* in, SatPosData* sp, int slot, int full)
{
    if (slot < 0 || slot >= kSlots) return;
    const int second = relativePartner(in, slot);
    const SiteFields home{in->obslat, in->obslon, in->obshgt};
    if (second >= 0) {
        GetSatPos(mjd, in, sp, second, 0);
        in->obslat = sp->lat[second];
        in->obslon = sp->lon[second];
        in->obshgt = sp->height[second] * kMetresPerKm;
        sp->seclit = sp->sunlit[second];
    }
    const Vec3 secondVel = sp->vec2;

    const SiteInstant site = SiteAt(in, mjd);
    const DateFrame& f = site.frame;
    const Vec3 sun = SunOfDate(f);
    const bool moonNeeded = in->moonvis || in->occmode == kMoonTarget || in->eclchk || in->numflg[slot];
    const Vec3 moon = moonNeeded ? MoonOfDate(f) : Vec3();

    Vec3 r, v;
    propagate(in, slot, f, sun, moon, r, v);
    Observer o = site.observer;
    if (second >= 0) o.v = secondVel;

    Row row{};
    subSatellitePoint(in, f, r, row);
    lookAngles(in, site, o, r, v, row);
    sunValues(f, o, sun, sp);
    row.sunlit = limbHeight(f, row, r, sun);
    if (in->moonvis) row.moonlit = limbHeight(f, row, r, moon);
    if (in->occmode == kMoonTarget) moonValues(f, o, moon, sp);

    if (slot == in->prime) {
        const Vec3 re = r / kEarthRadiusKm;
        const double ecl = in->eclchk ? eclipseCheck(in, re, sun, moon) : 0.0;
        sp->mag = magnitude(in, row, re, o, sun, moon, ecl);
    }
    if (slot < kMaxSat) {
        writeRow(sp, slot, row, in->moonvis);
        if (full && in->occmode == 0 && in->flares == 0) GetSatVis(sp, row.lat * kDegToRad, slot);
        eventGeometry(in, sp, slot, EventScene{f, r, v, sun, moon});
    }
    if (second >= 0) {
        relativeRow(sp, slot, second);
        in->obslat = home.lat;
        in->obslon = home.lon;
        in->obshgt = home.hgt;
    }
    sp->vec1 = r;
    sp->vec2 = v;
}

double AzimuthDegrees(const Vec3& h) { return FoldPositive(HorizonAzimuth(h), kTwoPi) * kRadToDeg; }

void GetElevationPos(const SiteInstant& site, WinpData* in, SatPosData* sp, int slot, Vec3& h)
{
    if (slot < 0 || slot >= kMaxSat) return;
    Vec3 r, v;
    if (in->numflg[slot]) {  // the force model needs the Sun and Moon
        GetSatPos(site.frame.t, in, sp, slot, 0);
        r = sp->vec1;
        v = sp->vec2;
    } else {
        propagate(in, slot, site.frame, Vec3(), Vec3(), r, v);
    }
    h = horizonVector(site, topocentric(in, site.observer, r, v));
    Row row{};
    elevationRange(h, row);
    sp->elev[slot] = row.elev;
    sp->range[slot] = row.range;
    sp->vec1 = r;
    sp->vec2 = v;
}

void GetHorizonPos(double mjd, WinpData* in, SatPosData* sp, int slot)
{
    if (slot < 0 || slot >= kMaxSat) return;
    if (in->numflg[slot]) {  // the force model needs the Sun and Moon
        GetSatPos(mjd, in, sp, slot, 0);
        return;
    }
    Vec3 h;
    GetElevationPos(SiteAt(in, mjd), in, sp, slot, h);
    sp->azim[slot] = AzimuthDegrees(h);
}

bool RelativeMode(const WinpData* in)
{
    return in->relmode && in->nsat > 1 && in->occmode == 0 && in->flares == 0;
}

int SecondSlot(const WinpData* in) { return in->prime + 1 < std::min(in->nsat, kMaxSat) ? in->prime + 1 : 0; }
