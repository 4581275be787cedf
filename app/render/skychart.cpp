// The base sky chart: bright stars, horizon, cardinal points, Sun, Moon and planets with their
// legend, drawn for the observer at the instant of the settings.
#include <algorithm>
#include <array>
#include <cmath>

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>

#include "app/generated/star_table.h"
#include "astro/frames.h"
#include "astro/moon200.h"
#include "astro/plan200.h"
#include "astro/sun200.h"
#include "astro/timescales.h"
#include "core/timeset.h"
#include "foundation/mat3.h"
#include "foundation/textconv.h"
#include "foundation/units.h"
#include "skymap.h"

using angle_units::kDegToRad;
using angle_units::kRadToDeg;

namespace {

// Earth radii per astronomical unit of the sky chart in the IAU 1976 system: 149597870 km /
// 6378.140 km. Slightly below kEarthRadiiPerAu (DE405 and WGS-84); kept so the chart is unchanged.
constexpr double kChartEarthRadiiPerAu = 23454.77992;
using time_units::kSecondsPerDay;
// Line colour of the horizon and of Mercury.
const QColor kHorizonColour(200, 100, 50);
// Grey levels of faint stars on light and on black backgrounds, for magnitudes 2..3, 3..4, >4.
constexpr std::array<int, 3> kFaintLight = {50, 100, 150};
constexpr std::array<int, 3> kFaintDark = {200, 150, 100};
// Legend: marker centre x and the top of the first entry; entries are 15 pixels apart.
constexpr int kLegendX = 13;
constexpr int kLegendTop = 10;
constexpr int kLegendStep = 15;
constexpr int kLegendTextX = 20;

// The sky's foreground colour: black, or white on the black background.
QColor foreground(const WinpData* s) { return s->mapbg == 2 ? Qt::white : Qt::black; }

// Topocentric azimuth and elevation (degrees) of the equatorial vector r (Earth radii) at the
// observer; topo 0 for directions without parallax (unit vectors of stars).
void horizontal(const WinpData* s, const Vec3& r, int topo, double& azim, double& elev)
{
    double a = 0, e = 0, dist = 0;
    AppPos(s->mjd, 0.0, s->obslat * kDegToRad, s->obslon * kDegToRad, s->obshgt, topo, r, a, e,
           dist);
    azim = a * kRadToDeg;
    elev = e * kRadToDeg;
}

// Filled disc over the pixels x + lo .. x + hi, y + lo .. y + hi.
void disc(QPainter& painter, const QPoint& p, int lo, int hi, const QColor& c)
{
    painter.setPen(c);
    painter.setBrush(c);
    painter.drawEllipse(QRect(p.x() + lo, p.y() + lo, hi - lo, hi - lo));
}

// Draws one star of magnitude mag at pixel p.
void drawStar(QPainter& painter, const WinpData* s, const QPoint& p, double mag)
{
    const QColor base = foreground(s);
    if (mag <= 0.1) {
        disc(painter, p, -1, 0, base);
        return;
    }
    if (mag <= 1.0) {
        painter.setPen(base);
        painter.setBrush(base);
        painter.drawEllipse(QRect(p.x() - 1, p.y() - 1, 1, 1));
        return;
    }
    QColor c = base;
    if (mag > 2.0) {
        const int k = mag <= 3.0 ? 0 : (mag <= 4.0 ? 1 : 2);
        const int grey = s->mapbg == 2 ? kFaintDark[k] : kFaintLight[k];
        c = QColor(grey, grey, grey);
    }
    painter.setPen(c);
    painter.drawPoint(p);
}

// The bright stars, faintest first: the brighter component of a double star, drawn later,
// stays visible on its shared pixel.
const std::array<BrightStar, kBrightStarCount>& faintFirst()
{
    static const std::array<BrightStar, kBrightStarCount> stars = [] {
        std::array<BrightStar, kBrightStarCount> a = kBrightStars;
        std::stable_sort(a.begin(), a.end(),
                         [](const BrightStar& x, const BrightStar& y) { return x.mag > y.mag; });
        return a;
    }();
    return stars;
}

void drawStars(QPainter& painter, const WinpData* s, const SkyGeometry& g, double h)
{
    const Mat3 prec = pmatequ(kStarTableEquinox, julcent(s->mjd));
    for (const BrightStar& star : faintFirst()) {
        const double ra = DmsDegF(star.ra) * 15.0 * kDegToRad;
        const double dec = DmsDegF(star.dec) * kDegToRad;
        double azim = 0, elev = 0;
        horizontal(s, mxvct(prec, polcar(Vec3(1.0, ra, dec))), 0, azim, elev);
        if (elev < h)
            continue;
        const QPoint p = PxSky(s, g, elev, azim);
        if (p.x() <= s->mapwidth)
            drawStar(painter, s, p, star.mag);
    }
}

// The zenith chart's horizon: segments between neighbouring whole-degree points on the canvas
// (PxSky already moves points beyond the right or bottom edge off the map).
void drawHorizon(QPainter& painter, const WinpData* s, const SkyGeometry& g)
{
    painter.setPen(kHorizonColour);
    auto onCanvas = [s](const QPoint& p) { return p.y() >= 0 && p.x() <= s->mapwidth; };
    QPoint last = PxSky(s, g, 0.0, 0.0);
    for (int a = 1; a <= 360; ++a) {
        const QPoint p = PxSky(s, g, 0.0, a);
        if (onCanvas(last) && onCanvas(p))
            painter.drawLine(last, p);
        last = p;
    }
}

// One cardinal letter at elevation, azimuth (degrees) moved by dx, dy pixels.
struct Cardinal {
    const char* text;
    double elev, azim;
    int dx, dy;
};

void drawCardinals(QPainter& painter, const WinpData* s, const SkyGeometry& g)
{
    static const std::array<Cardinal, 4> zenith = {
        {{"N", 10, 0, 0, 10}, {"S", 13, 180, 0, 0}, {"E", 0, 90, -8, 0}, {"W", 0, 270, 0, 0}}};
    constexpr double kBandElev = 0.5;
    painter.setPen(foreground(s));
    for (const Cardinal& c : zenith) {
        const bool band = s->skyproj != 0;
        const QPoint p = PxSky(s, g, band ? kBandElev : c.elev, c.azim);
        if (p.x() <= s->mapwidth)
            painter.drawText(band ? p : p + QPoint(c.dx, c.dy), c.text);
    }
}

// A solar-system body: its name, marker extent about its pixel, colour, and whether the marker
// has a red centre (the Sun).
struct Body {
    const char* name;
    int lo, hi;
    QColor colour;
    bool redCentre;
};

// Draws the marker of body b about p (the Sun with its red centre).
void drawBody(QPainter& painter, const Body& b, const QPoint& p)
{
    disc(painter, p, b.lo, b.hi, b.colour);
    if (b.redCentre)
        disc(painter, p, -1, 0, Qt::red);
}

// Geocentric equatorial positions (Earth radii, of date) of the Sun, the Moon and the five
// planets, in that order, at T Julian centuries TT.
std::array<Vec3, 7> bodyPositions(double T)
{
    Sun200 sun;
    const Vec3 sunEcl = sun.position(T);
    Plan200 plan;
    const std::array<Vec3, 5> planets = {plan.Mercury(T), plan.Venus(T), plan.Mars(T),
                                         plan.Jupiter(T), plan.Saturn(T)};
    std::array<Vec3, 7> r;
    r[0] = eclequ(T, sunEcl) * kChartEarthRadiiPerAu;
    r[1] = eclequ(T, Moon200().position(T));
    for (size_t k = 0; k < planets.size(); ++k)
        r[k + 2] = eclequ(T, planets[k] + sunEcl) * kChartEarthRadiiPerAu;
    return r;
}

void drawBodies(QPainter& painter, const WinpData* s, const SkyGeometry& g)
{
    const std::array<Body, 7> bodies = {{{"Sun", -3, 2, QColor(255, 255, 0), true},
                                         {"Moon", -3, 2, foreground(s), false},
                                         {"Mercury", -2, 1, kHorizonColour, false},
                                         {"Venus", -2, 1, QColor(0, 0, 255), false},
                                         {"Mars", -2, 1, QColor(255, 0, 0), false},
                                         {"Jupiter", -2, 1, QColor(0, 255, 0), false},
                                         {"Saturn", -2, 1, QColor(255, 255, 0), false}}};
    int day = 0, month = 0, year = 0;
    double hour = 0;
    caldat(s->mjd, day, month, year, hour);
    const double T = julcent(s->mjd + SetTtUt(s, year) / kSecondsPerDay);
    const std::array<Vec3, 7> r = bodyPositions(T);
    for (size_t k = 0; k < bodies.size(); ++k) {
        double azim = 0, elev = 0;
        horizontal(s, r[k], 1, azim, elev);
        const QPoint p = PxSky(s, g, elev, azim);
        if (p.x() > s->mapwidth)
            continue;
        const Body& b = bodies[k];
        drawBody(painter, b, p);
        if (s->skyproj != 0)
            continue;
        const int top = kLegendTop + kLegendStep * static_cast<int>(k);
        drawBody(painter, b, QPoint(kLegendX, top - b.lo));
        painter.setPen(foreground(s));
        painter.drawText(kLegendTextX, top + 6, b.name);
    }
}

}  // namespace

void PltSky(QPainter& painter, const WinpData* s, const SkyGeometry& g)
{
    painter.save();
    drawStars(painter, s, g, SkyHorizon(s));
    painter.setBrush(Qt::NoBrush);
    painter.setFont(QFont("Helvetica", 8));
    if (s->skyproj == 0)
        drawHorizon(painter, s, g);
    drawCardinals(painter, s, g);
    drawBodies(painter, s, g);
    painter.restore();
}
