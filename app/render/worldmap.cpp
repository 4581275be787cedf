// The ground-track maps: projections of the world and polar maps, the base map (world image,
// night shading, grid, land outlines, observer) and the overlay of the plotted instant.
#include "worldmap.h"

#include <cmath>
#include <cstring>
#include <vector>

#include <QPainter>

#include "app/generated/coastline_table.h"
#include "astro/frames.h"
#include "astro/sun200.h"
#include "astro/timescales.h"
#include "core/statefault.h"
#include "foundation/units.h"
#include "orbikaview.h"
#include "skymap.h"

namespace {

using angle_units::kPi;
using angle_units::kDegToRad;
// Degrees per radian of the footprint circles.
constexpr double kCircleDeg = 180.0 / 3.1415927;
// Latitude beyond which the northern polar map has no point (degrees).
constexpr double kPolarLatMax = 90.1;
// Replacement of a vanishing denominator in the terminator formula.
constexpr double kTinyF = 1.74533e-7;
// Segments of the outlines that wrap over the map edge differ by this many pixels or more.
constexpr int kWrapJump = 200;
// Grid and outline pens.
const QColor kGridPen(130, 160, 180);
const QColor kGridMajorPen(30, 240, 120);
const QColor kLandPen(200, 100, 50);
const QColor kObserver(0, 255, 255);
const QColor kSubSolar(255, 255, 0);
// Night shading colours by background scheme.
const QColor kNightShade[] = {QColor(223, 223, 223), QColor(150, 150, 150), QColor(65, 65, 65)};
// Offsets of the yellow points of the sub-solar mark; its centre is drawn in colour 0.
constexpr int kSunMark[][2] = {{-2, -2}, {-2, 0}, {-2, 2}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1},
                               {0, 2},   {0, -2}, {0, -1}, {1, 0},   {1, 1},   {1, -1}, {2, -2},
                               {2, 0},   {2, 2}};
// Characters of a satellite name shown on the map.
constexpr int kNameChars = 15;
// Pixels beyond the right map edge that mark a slot as not drawn.
constexpr int kOffMap = 10;
// Corner list of the satellites without a state: left edge, first baseline and line step, pixels.
constexpr int kFaultLabelX = 5;
constexpr int kFaultLabelTop = 12;
constexpr int kFaultLabelStep = 12;

int scheme(int mapbg) { return mapbg < 0 || mapbg > 2 ? 0 : mapbg; }

// Rectangle (x-2, y-2)..(x+1, y+1) of the markers about pixel c.
QRect markerRect(const QPoint& c) { return {c.x() - 2, c.y() - 2, 4, 4}; }

}  // namespace

int PxRound(double v) { return static_cast<int>(v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5)); }

double WrapLon(double lon)
{
    if (lon > 180)
        return lon - 360;
    if (lon < -180)
        return lon + 360;
    return lon;
}

QColor MapBackground(int mapbg)
{
    static const QColor bg[] = {QColor(255, 255, 255), QColor(200, 200, 200), QColor(0, 0, 0)};
    return bg[scheme(mapbg)];
}

QString SlotLabel(int slot)
{
    return QString::fromLatin1(indata->satname[slot], static_cast<int>(strnlen(indata->satname[slot], kNameChars)));
}

QColor SatColour(int slot, int mapbg)
{
    static const QColor colours[] = {QColor(0, 0, 0),     QColor(255, 0, 0),   QColor(0, 0, 255),
                                     QColor(0, 255, 0),   QColor(255, 255, 0), QColor(255, 0, 255),
                                     QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(255, 255, 0),
                                     QColor(255, 0, 255)};
    if (slot <= 0 || slot >= kMaxSat)
        return mapbg == 2 ? QColor(255, 255, 255) : colours[0];
    return colours[slot];
}

int EarthShift(double cenlon)
{
    if (!(cenlon >= -180))
        cenlon = -180;
    if (cenlon > 360)
        return 0;
    const int c = PxRound(cenlon);
    return c >= 0 ? 2 * c : 2 * c + 720;
}

double TerminatorLat(const Vec3& s, const Vec3& g)
{
    const Vec3 h = vnorm(Vec3(s[0], s[1], 0));
    const double d = dot(h, g);
    const double a = std::fabs(d) <= 1 ? std::acos(d) : 0;
    const double b = std::fabs(d) <= 1 ? std::sin(a) : 0;
    const double c = std::fabs(s[2]) <= 1 ? std::acos(std::fabs(s[2])) : 0;
    const double e = std::asin(std::sin(c) * b);
    double f = std::cos((a - e) / 2);
    if (std::fabs(f) < 1e-10)
        f = kTinyF;
    const double hh = std::cos((a + e) / 2) * std::tan((c + kPi / 2) / 2) / f;
    // The formula gives the terminator for a Sun north of the equator; mirror it otherwise.
    const double phi = 90 - 2 * std::atan(hh) / kDegToRad;
    return s[2] < 0 ? -phi : phi;
}

QPoint OrbikaView::PxCoord(double lat, double lon) const
{
    const int type = indata->maptype;
    if (indata->cenlon != 0)
        lon = WrapLon(WrapLon(lon - indata->cenlon));
    if (type != kNorthPolar && type != kSouthPolar)
        return {PxRound(lon * mapsx) + mapx0, PxRound(-lat * mapsy) + mapy0};
    const QPoint off(indata->mapwidth + 3, indata->mapheight + 3);
    if (type == kSouthPolar) {
        lat = -lat;
        lon = -lon;
    }
    if (!(lat >= 0 && lat <= kPolarLatMax))
        return off;
    const double r = 2 * std::cos(lat * kDegToRad) / (1 + std::sin(lat * kDegToRad));
    QPoint p(PxRound(-r * std::sin(lon * kDegToRad) * mapsx) + mapx0,
             PxRound(-r * std::cos(lon * kDegToRad) * mapsy) + mapy0);
    if (p.x() > kMapCols || p.y() > kMapRows)
        p.setX(off.x());
    return p;
}

void OrbikaView::CoordPx(const QPoint& p, double& lat, double& lon) const
{
    const double x = (p.x() - mapx0) / mapsx;
    const double y = -(p.y() - mapy0) / mapsy;
    const int type = indata->maptype;
    if (type != kNorthPolar && type != kSouthPolar) {
        lat = y;
        lon = x;
    } else if (x == 0 && y == 0) {
        lat = 90;
        lon = 0;
    } else {
        const double l = std::atan2(-x, y);
        const double r = std::fabs(std::sin(l)) <= 1e-5 ? y / std::cos(l) : -x / std::sin(l);
        const double q = (r / 2) * (r / 2);
        const double sl = (1 - q) / (1 + q);
        lat = sl >= 0 && sl <= 1 ? std::asin(sl) / kDegToRad : -100;
        lon = l / kDegToRad;
        if (type == kSouthPolar && lat != -100) {
            lat = -lat;
            lon = -lon;
        }
        lon = WrapLon(lon);
    }
    lon += indata->cenlon;
    if (indata->cenlon != 0)
        lon = WrapLon(lon);
}

void OrbikaView::drawEarthImage(QPainter& p)
{
    if (indata->cenlon == 0) {
        p.drawPixmap(0, 0, pmEarth);
        return;
    }
    const int w = EarthShift(indata->cenlon);
    p.drawPixmap(-w, 0, pmEarth);
    p.drawPixmap(720 - w, 0, pmEarth);
}

void OrbikaView::drawNight(QPainter& p)
{
    const double mjd = indata->mjd;
    Sun200 sun;
    const double t = julcent(mjd);
    const Vec3 s = vnorm(eclequ(t, sun.position(t)));
    std::vector<QPoint> pts;
    for (int col = 0; col < kMapCols; ++col) {
        const double l = -180 + 0.5 * col;
        const Vec3 g = vnorm(GeoPos(mjd, 0, 0, l * kDegToRad, 0));
        const int n = static_cast<int>(2 * TerminatorLat(s, g));
        const int step = s[2] > 0 ? 1 : -1;
        for (int j = -180 * step; j * step <= n * step; j += step) {
            const QPoint q = PxCoord(j / 2.0, l);
            if (q.x() <= indata->mapwidth)
                pts.push_back(q);
        }
    }
    p.setPen(kNightShade[scheme(indata->mapbg)]);
    p.drawPoints(pts.data(), static_cast<int>(pts.size()));
}

void OrbikaView::drawGrid(QPainter& p)
{
    p.setPen(kGridPen);
    const int grid = indata->grid;
    const int type = indata->maptype;
    if (grid <= 0) {
        p.drawLine(720, 0, 720, kMapRows);
        return;
    }
    if (type == kNorthPolar || type == kSouthPolar) {
        const int sign = type == kSouthPolar ? -1 : 1;
        for (int l = -180; l < 180; l += 30) {
            QPoint a = PxCoord(90 * sign, l);
            QPoint b = PxCoord(10 * sign, l);
            p.drawLine(a, b);
            for (int lat = 9; lat >= 0; --lat) {
                a = b;
                b = PxCoord(lat * sign, l);
                if (b.x() <= indata->mapwidth)
                    p.drawLine(a, b);
            }
        }
        for (int lat : {60, 30}) {
            QPolygon circle;
            for (int l = -180; l <= 180; l += 5)
                circle << PxCoord(lat * sign, l);
            p.drawPolyline(circle);
        }
        return;
    }
    auto lines = [&](int lonStep, int lonFrom, int latStep, int latFrom) {
        for (int l = lonFrom; l <= 180; l += lonStep) {
            const int x = PxCoord(90, l).x();
            p.drawLine(x, 0, x, kMapRows);
        }
        for (int lat = latFrom; lat <= -latFrom; lat += latStep) {
            const int y = PxCoord(lat, -180).y();
            p.drawLine(0, y, kMapCols, y);
        }
    };
    if (grid == 2) {
        lines(10, -170, 10, -80);
        p.setPen(kGridMajorPen);
    }
    lines(30, -150, 30, -60);
}

void OrbikaView::MapLand(QPainter& p)
{
    p.setPen(kLandPen);
    QPoint prev;
    bool penDown = false;
    for (const auto& pair : kCoastline) {
        if (pair[0] == kCoastPenUp) {
            penDown = false;
            continue;
        }
        const QPoint q = PxCoord(pair[0] / 10.0, pair[1] / 10.0);
        if (penDown && std::abs(q.x() - prev.x()) < kWrapJump)
            p.drawLine(prev, q);
        prev = q;
        penDown = true;
    }
    if (indata->maptype != kNorthPolar && indata->maptype != kSouthPolar)
        return;
    p.setPen(kGridPen);
    QPolygon equator;
    for (int l = 0; l < 360; ++l) {
        const QPoint q = PxCoord(0, l);
        if (q.x() <= indata->mapwidth && q.y() <= indata->mapheight)
            equator << q;
    }
    p.drawPolyline(equator);
}

void OrbikaView::PlotWorld(QPainter& p)
{
    if (indata->daynight)
        drawNight(p);
    drawGrid(p);
    const bool image = indata->maptype == kWorldImage && indata->mapimgok && !indata->daynight;
    if (!image)
        MapLand(p);
    const QPoint o = PxCoord(indata->obslat, indata->obslon);
    if (o.x() <= indata->mapwidth) {
        p.setPen(kObserver);
        p.setBrush(kObserver);
        p.drawEllipse(markerRect(o));
        p.setBrush(Qt::NoBrush);
    }
}

QPoint OrbikaView::satPixel(int i) const
{
    if (indata->smplot == 1)
        return PxCdSun(i, indata->occmode);
    if (indata->skymap)
        return SkySatPixel(indata, satps, SkyGeometry{mapx0, mapy0, mapsx, mapsy}, i);
    const bool centre = indata->occmode > 0 || (indata->flares && indata->knownsurf > 0);
    return centre ? PxCoord(satps->ctrlat[i], satps->ctrlon[i]) : PxCoord(satps->lat[i], satps->lon[i]);
}

void OrbikaView::drawFootprint(QPainter& p, int i)
{
    for (int k = 0; k < satps->ncircle; ++k) {
        const QPoint f = PxCoord(satps->circlat[i][k] * kCircleDeg, satps->circlon[i][k] * kCircleDeg);
        if (f.x() <= indata->mapwidth)
            p.drawPoint(f);
    }
}

void OrbikaView::drawSubSolar(QPainter& p)
{
    const QPoint s = PxCoord(satps->sunlat, satps->sunlon);
    p.setPen(kSubSolar);
    for (const auto& d : kSunMark)
        p.drawPoint(s.x() + d[0], s.y() + d[1]);
    p.setPen(SatColour(0, indata->mapbg));
    p.drawPoint(s);
}

void OrbikaView::drawOverlay(int circles)
{
    pmDisplay.fill(Qt::black);
    QPainter p(&pmDisplay);
    p.drawPixmap(0, 0, pmCanvas);
    QFont font = p.font();
    font.setPointSize(8);
    font.setWeight(QFont::Normal);
    p.setFont(font);
    // The disc view marks the satellites as the ground-track maps do but has no footprints or
    // sub-solar point.
    const bool disc = indata->smplot == 1;
    const bool ground = indata->skymap == 0 || disc;
    const bool groundTrack = ground && !disc;
    const bool footprints = circles && groundTrack && indata->occmode == 0 && indata->flares == 0;
    int faultRow = 0;
    for (int i = 0; i < indata->nsat; ++i) {
        p.setPen(SatColour(i, indata->mapbg));
        const StateFault fault = SlotFault(indata, satps, i);
        if (fault != StateFault::kNone) {
            // No marker at a place the satellite is not: its name and the fault in the corner.
            lastx[i] = indata->mapwidth + kOffMap;
            p.drawText(kFaultLabelX, kFaultLabelTop + kFaultLabelStep * faultRow++,
                       SlotLabel(i) + QStringLiteral(": ") + QString::fromLatin1(FaultText(fault)));
            continue;
        }
        const QPoint c = satPixel(i);
        lastx[i] = c.x();
        lasty[i] = c.y();
        // A satellite off the map may still have part of its footprint on it.
        if (footprints)
            drawFootprint(p, i);
        if (c.x() - 2 > indata->mapwidth)
            continue;
        if (ground) {
            p.drawEllipse(markerRect(c));
            p.drawPoint(c);
        } else {
            DrawSkySat(p, indata, c);
        }
        if (indata->shownames)
            p.drawText(c.x() - 2, c.y() - 2, SlotLabel(i));
    }
    if (indata->nsat > 0 && groundTrack)
        drawSubSolar(p);
}

void OrbikaView::drawTracks()
{
    QPainter p(&pmCanvas);
    for (int i = 0; i < indata->nsat; ++i) {
        if (lastx[i] > indata->mapwidth)
            continue;
        p.setPen(SatColour(i, indata->mapbg));
        p.drawPoint(lastx[i], lasty[i]);
    }
}
