// Observer position on the WGS-84 ellipsoid, the local horizon and apparent places.
#include <cmath>

#include "astro/earth_constants.h"
#include "astro/frames.h"
#include "astro/timescales.h"
#include "foundation/units.h"

using angle_units::kPi;
using angle_units::kRadToDeg;

namespace {
using angle_units::kHourToRad;

// Local sidereal time (radians) at UT mjd and east longitude lambda (radians).
double localSidereal(double mjd, double dsec, double lambda)
{
    return lsidtim(mjd, lambda * kRadToDeg, dsec) * kHourToRad;
}

// Earth-fixed position (Earth radii) of a site: geodetic latitude phi, longitude lambda
// relative to the x axis, height h in metres.
Vec3 siteVector(double phi, double lambda, double h)
{
    const double s = std::sin(phi);
    const double n = 1.0 / std::sqrt(1.0 - kEarthE2 * s * s);
    const double hr = h / kEarthRadiusM;
    const double rhoXY = (n + hr) * std::cos(phi);
    return Vec3(rhoXY * std::cos(lambda), rhoXY * std::sin(lambda), (n * (1.0 - kEarthE2) + hr) * s);
}
}  // namespace

Vec3 GeoPos(double mjd, double dsec, double phi, double lambda, double h)
{
    return siteVector(phi, localSidereal(mjd, dsec, lambda), h);
}

Vec3 GeoPos(double mjd, double dsec, double phi, double lambda, double h, double xp, double yp)
{
    Vec3 r = siteVector(phi, lambda, h);
    if (xp != 0.0 || yp != 0.0) r = mxvct(mxtrn(PoleMx(xp, yp)), r);
    return mxvct(zrot(-localSidereal(mjd, dsec, 0.0)), r);
}

Mat3 HorizonMatrix(double mjd, double dsec, double phi, double lambda)
{
    return yrot(kPi / 2.0 - phi) * zrot(localSidereal(mjd, dsec, lambda));
}

void HorizonAngles(const Vec3& h, double& azim, double& elev, double& dist)
{
    HorizonElevation(h, elev, dist);
    azim = HorizonAzimuth(h);
}

double HorizonAzimuth(const Vec3& h) { return kPi - polarPhi(h); }

void HorizonElevation(const Vec3& h, double& elev, double& dist)
{
    dist = abs(h);
    elev = polarTheta(h);
}

Vec3 EquHor(double mjd, double dsec, double phi, double lambda, const Vec3& r)
{
    return mxvct(HorizonMatrix(mjd, dsec, phi, lambda), r);
}

Vec3 HorEqu(double mjd, double dsec, double phi, double lambda, const Vec3& r)
{
    return mxvct(zrot(-localSidereal(mjd, dsec, lambda)) * yrot(phi - kPi / 2.0), r);
}

void AppPos(double mjd, double dsec, double phi, double lambda, double h, int topo,
            const Vec3& r, double& azim, double& elev, double& dist)
{
    Vec3 rel = r;
    if (topo) rel -= GeoPos(mjd, dsec, phi, lambda, h);
    HorizonAngles(EquHor(mjd, dsec, phi, lambda, rel), azim, elev, dist);
}

void AppRADec(double mjd, double dsec, double phi, double lambda, double azim, double elev,
              double& ra, double& dec)
{
    const Vec3 hor = polcar(Vec3(1.0, kPi - azim, elev));
    const Vec3 p = carpol(HorEqu(mjd, dsec, phi, lambda, hor));
    ra = p[1];
    dec = p[2];
}
