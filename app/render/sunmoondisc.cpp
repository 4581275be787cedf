// The Sun/Moon disc view: the body's disc, the Moon's phase, the north mark and the pixels of
// the satellites seen against the body.
#include "sunmoondisc.h"

#include <cmath>

#include <QPainter>
#include <QPolygon>

#include "canvaslayout.h"
#include "foundation/units.h"

namespace {

using angle_units::kPi;
using angle_units::kDegToRad;
// Satellites farther than this from the body (degrees, in each direction) are not drawn.
constexpr double kDiscField = 5.0;
// Row below which a satellite pixel would fall into the information area.
constexpr int kLastRow = kInfoTop;
// y of a satellite that is not drawn.
constexpr int kNotDrawn = -10;
// Vertices of the limb and the terminator, degrees apart.
constexpr int kLimbStep = 5;
// Terminator parameter at or below which the Moon counts as full (no terminator drawn).
constexpr double kFullMoon = -0.995;
// Length of the north mark in disc radii.
constexpr double kNorthMark = 0.35;
// Smallest denominator of the north mark's cosine.
constexpr double kTinyDenominator = 1e-40;

const QColor kLimbPointsOnBlack(30, 240, 120);
const QColor kNorthPen(200, 100, 50);

// The point (x, y) of a frame whose bright side is up turned so that this side faces the Sun,
// whose direction is -theta counter-clockwise from the right; about the centre c.
QPoint turned(double x, double y, double theta, const QPoint& c)
{
    const double a = -theta - kPi / 2;
    return {c.x() + PxRound(x * std::cos(a) + y * std::sin(a)),
            c.y() + PxRound(-x * std::sin(a) + y * std::cos(a))};
}

// Point of the limb of radius r (pixels) at angle t (degrees) turned by theta.
QPoint limbPoint(double r, int t, double theta, const QPoint& c)
{
    return turned(r * std::cos(t * kDegToRad), -r * std::sin(t * kDegToRad), theta, c);
}

void drawSun(QPainter& p, const DiscGeometry& g)
{
    const double r = kSunDiscRadius * g.scale;
    QPolygon disc;
    for (int t = 0; t < 360; t += kLimbStep)
        disc << QPoint(g.x0 + PxRound(r * std::cos(t * kDegToRad)), g.y0 + PxRound(-r * std::sin(t * kDegToRad)));
    p.drawPolygon(disc);
}

// The Moon's limb, bright half as lines and the dark half as points, and its terminator.
void drawMoon(QPainter& p, const WinpData* in, const SatPosData* sp, const DiscGeometry& g)
{
    const double r = sp->moonsd * g.scale;
    const double theta = MoonOrientation(sp->sunelev, sp->sunazim, sp->moonelev, sp->moonazim);
    const double k = MoonTerminator(sp->sunelev, sp->sunazim, sp->moonelev, sp->moonazim);
    const QPoint c(g.x0, g.y0);
    const bool full = k <= kFullMoon;
    const QPen line = p.pen();
    QPoint prev = limbPoint(r, 0, theta, c);
    for (int t = kLimbStep; t <= 360; t += kLimbStep) {
        const QPoint q = limbPoint(r, t, theta, c);
        if (t <= 180 && !full) {
            p.drawLine(prev, q);
        } else {
            if (in->mapbg == 2)
                p.setPen(kLimbPointsOnBlack);
            p.drawPoint(q);
            p.setPen(line);
        }
        prev = q;
    }
    if (full)
        return;
    QPolygon terminator;
    for (int t = 0; t <= 180; t += kLimbStep)
        terminator << turned(r * std::cos(t * kDegToRad), -r * k * std::sin(t * kDegToRad), theta, c);
    p.drawPolyline(terminator);
}

// Line toward the celestial north pole from the centre of the body's disc of radius r (pixels).
void drawNorth(QPainter& p, const WinpData* in, const SatPosData* sp, const DiscGeometry& g, double r)
{
    const bool sun = in->occmode == kSunTarget;
    const double el = sun ? sp->sunelev * kDegToRad : sp->moonelev;
    const double az = sun ? sp->sunazim : sp->moonazim;
    const double q = NorthMarkAngle(el, az, in->obslat * kDegToRad);
    const QPoint end(g.x0 + PxRound(kNorthMark * r * std::sin(q)), g.y0 + PxRound(-kNorthMark * r * std::cos(q)));
    p.setPen(kNorthPen);
    p.drawLine(QPoint(g.x0, g.y0), end);
    p.drawText(end, QStringLiteral("N"));
}

}  // namespace

bool SunMoonDiscWanted(const WinpData* in)
{
    return in->smplotflg && (in->occmode == kSunTarget || in->occmode == kMoonTarget);
}

QPoint DiscPixel(double satAz, double satEl, double bodyAz, double bodyEl, const DiscGeometry& g,
                 int mapwidth)
{
    const double da = WrapLon(satAz - bodyAz) * std::cos(bodyEl * kDegToRad);
    const double de = satEl - bodyEl;
    const QPoint off(mapwidth + 3, kNotDrawn);
    if (!(std::fabs(de) <= kDiscField && std::fabs(da) <= kDiscField))
        return off;
    const QPoint q(PxRound(da * g.scale) + g.x0, PxRound(-de * g.scale) + g.y0);
    return q.y() < kLastRow ? q : off;
}

double MoonOrientation(double sunelDeg, double sunaz, double moonel, double moonaz)
{
    const double es = sunelDeg * kDegToRad;
    const double y = std::cos(es) * std::sin(sunaz - moonaz);
    const double x = std::sin(es) * std::cos(moonel) - std::cos(es) * std::sin(moonel) * std::cos(sunaz - moonaz);
    if (y == 0 && x == 0)
        return -kPi / 2;
    return std::atan2(y, x) - kPi / 2;
}

double MoonTerminator(double sunelDeg, double sunaz, double moonel, double moonaz)
{
    const double es = sunelDeg * kDegToRad;
    return std::sin(es) * std::sin(moonel) + std::cos(es) * std::cos(moonel) * std::cos(sunaz - moonaz);
}

double NorthMarkAngle(double el, double az, double lat)
{
    const double sd = std::sin(el) * std::sin(lat) + std::cos(el) * std::cos(lat) * std::cos(az);
    const double den = std::cos(std::asin(std::fmax(-1.0, std::fmin(1.0, sd)))) * std::cos(el);
    if (den <= kTinyDenominator)
        return 0;
    const double c = (std::sin(lat) - sd * std::sin(el)) / den;
    double q = std::fabs(c) > 1 ? 0 : -std::acos(c);
    if (az > kPi || az < 0)
        q = -q;
    return q;
}

void DrawSunMoonDisc(QPainter& p, const WinpData* in, const SatPosData* sp, const DiscGeometry& g)
{
    p.setPen(in->mapbg == 2 ? Qt::white : Qt::black);
    p.setBrush(Qt::NoBrush);
    const bool sun = in->occmode == kSunTarget || in->nsat <= 0;
    if (sun)
        drawSun(p, g);
    else
        drawMoon(p, in, sp, g);
    if (in->nsat > 0 && in->grid > 0)
        drawNorth(p, in, sp, g, (sun ? kSunDiscRadius : sp->moonsd) * g.scale);
}

QPoint SlotDiscPixel(const WinpData* in, const SatPosData* sp, const DiscGeometry& g, int slot, int body)
{
    const bool sun = body == kSunTarget;
    const double az = sun ? sp->sunazim / kDegToRad : sp->moonazim / kDegToRad;
    const double el = sun ? sp->sunelev : sp->moonelev / kDegToRad;
    return DiscPixel(sp->azim[slot], sp->elev[slot], az, el, g, in->mapwidth);
}
