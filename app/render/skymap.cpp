// Sky map projections (zenith stereographic chart and Mollweide horizon band), their inverse for
// clicks, and the satellite markers.
#include "skymap.h"

#include <cmath>

#include <QPainter>
#include <QRect>

#include "astro/earth_constants.h"
#include "astro/frames.h"
#include "astro/timescales.h"
#include "canvaslayout.h"
#include "foundation/mat3.h"
#include "foundation/textconv.h"
#include "foundation/units.h"

using angle_units::kDegToRad;
using angle_units::kPi;
using angle_units::kRadToDeg;

namespace {

// Mollweide band: the half-ellipse X = 2 sqrt(2) / pi lambda cos(theta/2), Y = sqrt(2) sin(theta/2)
// spans 2 sqrt(2) by sqrt(2) units, drawn over 720 by 361 pixels.
constexpr double kBandScale = 1.414;
constexpr double kMollweideX = 0.900316;   // 2 sqrt(2) / pi
constexpr double kMollweideY = 1.41421;    // sqrt(2)
constexpr double kMollweideInvY = 0.707107;  // 1 / sqrt(2)
constexpr double kMollweideInvX = 1.11072;   // pi / (2 sqrt(2))
// Newton steps for the Mollweide auxiliary angle; more near the pole, where it converges slowly.
constexpr int kNewtonSteps = 3;
constexpr int kNewtonStepsHigh = 8;
constexpr double kNewtonHighPhi = 1.22173;  // 70 degrees
// Elevation written for a click outside the chart, degrees.
constexpr double kOutside = -100.0;

// Pixel of a direction that is not on the chart.
QPoint offChart(const WinpData* s) { return QPoint(s->mapwidth + 3, s->mapheight + 3); }

// Auxiliary Mollweide angle theta of theta + sin(theta) = pi sin(phi), phi in radians.
double mollweideTheta(double phi)
{
    const double target = kPi * std::sin(phi);
    const int steps = phi > kNewtonHighPhi ? kNewtonStepsHigh : kNewtonSteps;
    double theta = phi;
    for (int k = 0; k < steps; ++k) {
        const double slope = 1.0 + std::cos(theta);
        if (slope < 1e-12)
            break;
        theta -= (theta + std::sin(theta) - target) / slope;
    }
    return theta;
}

// Azimuth in degrees brought into 0..360 from an angle in radians.
double azimuthDeg(double a)
{
    const double deg = std::atan2(std::sin(a), std::cos(a)) * kRadToDeg;
    return deg < 0 ? deg + 360.0 : deg;
}

// Elevation (degrees) of the zenith-chart point X, Y; azimuth into azim; kOutside below h.
double zenithInverse(double X, double Y, double h, double& azim)
{
    if (X == 0.0 && Y == 0.0) {
        azim = 0.0;
        return 90.0;
    }
    const double a = std::atan2(-X, Y);
    azim = azimuthDeg(a);
    const double r = std::fabs(std::sin(a)) > 1e-5 ? -X / std::sin(a) : Y / std::cos(a);
    const double q = (r / 2) * (r / 2);
    const double e = std::asin((1 - q) / (1 + q)) * kRadToDeg;
    return e < h ? kOutside : e;
}

// Elevation (degrees) of the horizon-band point X, Y; azimuth into azim; kOutside off the band.
double bandInverse(double X, double Y, double h, double skyazim, double& azim)
{
    azim = skyazim;
    const double st = kMollweideInvY * Y;
    if (Y < 0 || st > 1.0)
        return kOutside;
    const double t = std::asin(st);
    const double e = std::asin((2 * t + std::sin(2 * t)) / kPi) * kRadToDeg + h;
    if (std::cos(t) < 0)
        return kOutside;
    if (std::cos(t) > 1e-12)
        azim = azimuthDeg(kMollweideInvX * X / std::cos(t) + skyazim * kDegToRad);
    return e;
}

// Stores the apparent R.A. and Dec. of the direction azim, elev (degrees) at lastrefresh into
// locra (h.mmss) and locdec (d.mmss), precessed to the equinox epoch when it is set.
void storeRADec(WinpData* s, double azim, double elev)
{
    double ra = 0, dec = 0;
    AppRADec(s->lastrefresh, 0.0, s->obslat * kDegToRad, s->obslon * kDegToRad, azim * kDegToRad,
             elev * kDegToRad, ra, dec);
    if (s->epoch != 0) {
        const Mat3 p = pmatequ(julcent(s->lastrefresh), (s->epoch - 2000.0) / 100.0);
        const Vec3 v = carpol(mxvct(p, polcar(Vec3(1.0, ra, dec))));
        ra = v[1];
        dec = v[2];
    }
    s->locra = DegFDms(azimuthDeg(ra) / 15.0);
    s->locdec = DegFDms(dec * kRadToDeg);
}

}  // namespace

SkyGeometry SkyGeometryFor(int skyproj)
{
    SkyGeometry g;
    if (skyproj == 0) {
        g.mapsx = g.mapsy = g.mapy0 / kStereoScale;
    } else {
        g.mapy0 = kMapRows;
        g.mapsx = g.mapx0 / kBandScale;
        g.mapsy = kMapRows / kBandScale;
    }
    return g;
}

double SkyHorizon(const WinpData* s)
{
    if (!s->satview || s->obshgt <= 0)
        return 0.0;
    return -std::acos(kEarthRadiusM / (kEarthRadiusM + s->obshgt)) * kRadToDeg;
}

QPoint PxSky(const WinpData* s, const SkyGeometry& g, double elev, double azim)
{
    const double h = SkyHorizon(s);
    if (elev < h)
        return offChart(s);
    double X = 0, Y = 0;
    if (s->skyproj == 0) {
        const double e = elev * kDegToRad, a = azim * kDegToRad;
        const double r = 2 * std::cos(e) / (1 + std::sin(e));
        X = -r * std::sin(a);
        Y = r * std::cos(a);
    } else {
        if (s->satview && elev > h + 90)
            return offChart(s);
        const double phi = (elev - h) * kDegToRad;
        const double da = (azim - s->skyazim) * kDegToRad;
        const double lambda = std::atan2(std::sin(da), std::cos(da));
        const double theta = mollweideTheta(phi);
        X = kMollweideX * lambda * std::cos(theta / 2);
        Y = kMollweideY * std::sin(theta / 2);
    }
    QPoint p(PxRound(X * g.mapsx) + g.mapx0, PxRound(-Y * g.mapsy) + g.mapy0);
    if (p.y() > kMapRows || p.x() > kMapCols)
        p.setX(s->mapwidth + 3);
    return p;
}

bool SkyPx(WinpData* s, const SkyGeometry& g, const QPoint& p)
{
    const double X = (p.x() - g.mapx0) / g.mapsx;
    const double Y = -(p.y() - g.mapy0) / g.mapsy;
    const double h = SkyHorizon(s);
    double azim = 0;
    const double elev = s->skyproj == 0 ? zenithInverse(X, Y, h, azim)
                                        : bandInverse(X, Y, h, s->skyazim, azim);
    s->locaz = azim;
    s->locel = std::isnan(elev) ? kOutside : elev;
    if (s->locel == kOutside)
        return false;
    storeRADec(s, azim, elev);
    return true;
}

QPoint SkySatPixel(const WinpData* s, const SatPosData* sp, const SkyGeometry& g, int i)
{
    const bool viewpoint = s->satview && i == s->prime;
    const bool dark = s->visonly && sp->sunlit[i] < 0 && !(s->moonvis && sp->moonlit[i] > 0);
    if (viewpoint || dark)
        return offChart(s);
    return PxSky(s, g, sp->elev[i], sp->azim[i]);
}

void DrawSkySat(QPainter& painter, const WinpData* s, const QPoint& p)
{
    if (p.x() - 2 > s->mapwidth)
        return;
    painter.drawRect(QRect(p.x() - 2, p.y() - 2, 3, 3));
    painter.drawPoint(p);
}
