// The world-map renderer: projections of the world and polar maps, the base maps, the overlay
// of the plotted instant and the tracks.
#include "worldmaprenderer.h"

#include <cmath>
#include <vector>

#include <QPainter>

#include "app/generated/coastline_table.h"
#include "astro/frames.h"
#include "astro/sun200.h"
#include "astro/timescales.h"
#include "core/statefault.h"
#include "foundation/units.h"
#include "mapinfo.h"
#include "skymap.h"
#include "worldmap.h"

namespace {

using angle_units::kDegToRad;
// Degrees per radian of the footprint circles.
constexpr double kCircleDeg = 180.0 / 3.1415927;
// Latitude beyond which the northern polar map has no point (degrees).
constexpr double kPolarLatMax = 90.1;
// Segments of the outlines that wrap over the map edge differ by this many pixels or more.
constexpr int kWrapJump = 200;
// Colour of the blank information strip.
const QColor kInfoColour(0, 50, 200);
// Grid and outline pens.
const QColor kGridPen(130, 160, 180);
const QColor kGridMajorPen(30, 240, 120);
const QColor kLandPen(200, 100, 50);
const QColor kObserver(0, 255, 255);
const QColor kSubSolar(255, 255, 0);
// Offsets of the yellow points of the sub-solar mark; its centre is drawn in colour 0.
constexpr int kSunMark[][2] = {{-2, -2}, {-2, 0}, {-2, 2}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1},
                               {0, 2},   {0, -2}, {0, -1}, {1, 0},   {1, 1},   {1, -1}, {2, -2},
                               {2, 0},   {2, 2}};
// Pixels beyond the right map edge that mark a slot as not drawn.
constexpr int kOffMap = 10;
// Corner list of the satellites without a state: left edge, first baseline and line step, pixels.
constexpr int kFaultLabelX = 5;
constexpr int kFaultLabelTop = 12;
constexpr int kFaultLabelStep = 12;

bool polar(const WinpData* in) { return in->maptype == kNorthPolar || in->maptype == kSouthPolar; }

// Rectangle (x-2, y-2)..(x+1, y+1) of the markers about pixel c.
QRect markerRect(const QPoint& c) { return {c.x() - 2, c.y() - 2, 4, 4}; }

// Geometry of the ground-track map of the kind in maptype about the canvas centre.
MapGeometry groundGeometry(const WinpData* in)
{
    MapGeometry g;
    g.mapsx = polar(in) ? g.mapy0 / kStereoScale : g.mapx0 / 180.0;
    g.mapsy = polar(in) ? g.mapy0 / kStereoScale : g.mapy0 / 90.0;
    return g;
}

// Geometry of the disc view about the canvas centre.
MapGeometry discGeometryOf()
{
    MapGeometry g;
    g.mapsx = g.mapsy = kDiscScale * g.mapy0;
    return g;
}

}  // namespace

bool WorldMapRenderer::loadEarthImage(const QString& path) { return pmEarth.load(path); }

void WorldMapRenderer::drawBase(const WinpData* in, const SatPosData* sp, bool disc)
{
    if (pmCanvas.isNull()) {
        pmCanvas = QPixmap(kCanvasW, kCanvasH);
        pmDisplay = QPixmap(kDisplayW, kCanvasH);
        pmInfo = QPixmap(kDisplayW, kInfoH);
        pmInfo.fill(kInfoColour);
    }
    pmCanvas.fill(MapBackground(in->mapbg));
    {
        QPainter p(&pmCanvas);
        if (!disc && in->skymap == 0 && in->maptype == kWorldImage && in->mapimgok)
            drawEarthImage(p, in);
        p.drawPixmap(0, kInfoTop, pmInfo);
        if (disc) {
            geo = discGeometryOf();
            DrawSunMoonDisc(p, in, sp, discGeometry());
        } else if (in->skymap == 0) {
            geo = groundGeometry(in);
            drawWorld(p, in);
        } else {
            geo = SkyGeometryFor(in->skyproj);
            PltSky(p, in, geo);
        }
    }
    pmDisplay.fill(Qt::black);
    QPainter(&pmDisplay).drawPixmap(0, 0, pmCanvas);
}

void WorldMapRenderer::drawInfo(const WinpData* in, const SatPosData* sp)
{
    QPainter p(&pmCanvas);
    p.drawPixmap(0, kInfoTop, pmInfo);
    DrawMapInfo(p, in, sp);
}

QPoint WorldMapRenderer::PxCoord(const WinpData* in, double lat, double lon) const
{
    const int type = in->maptype;
    if (in->cenlon != 0)
        lon = WrapLon(WrapLon(lon - in->cenlon));
    if (type != kNorthPolar && type != kSouthPolar)
        return {PxRound(lon * geo.mapsx) + geo.mapx0, PxRound(-lat * geo.mapsy) + geo.mapy0};
    const QPoint off(in->mapwidth + 3, in->mapheight + 3);
    if (type == kSouthPolar) {
        lat = -lat;
        lon = -lon;
    }
    if (!(lat >= 0 && lat <= kPolarLatMax))
        return off;
    const double r = 2 * std::cos(lat * kDegToRad) / (1 + std::sin(lat * kDegToRad));
    QPoint p(PxRound(-r * std::sin(lon * kDegToRad) * geo.mapsx) + geo.mapx0,
             PxRound(-r * std::cos(lon * kDegToRad) * geo.mapsy) + geo.mapy0);
    if (p.x() > kMapCols || p.y() > kMapRows)
        p.setX(off.x());
    return p;
}

void WorldMapRenderer::CoordPx(const WinpData* in, const QPoint& p, double& lat, double& lon) const
{
    const double x = (p.x() - geo.mapx0) / geo.mapsx;
    const double y = -(p.y() - geo.mapy0) / geo.mapsy;
    const int type = in->maptype;
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
    lon += in->cenlon;
    if (in->cenlon != 0)
        lon = WrapLon(lon);
}

QPoint WorldMapRenderer::discPixel(const WinpData* in, const SatPosData* sp, int slot, int body) const
{
    return SlotDiscPixel(in, sp, discGeometry(), slot, body);
}

void WorldMapRenderer::drawEarthImage(QPainter& p, const WinpData* in) const
{
    if (in->cenlon == 0) {
        p.drawPixmap(0, 0, pmEarth);
        return;
    }
    const int w = EarthShift(in->cenlon);
    p.drawPixmap(-w, 0, pmEarth);
    p.drawPixmap(720 - w, 0, pmEarth);
}

void WorldMapRenderer::drawNight(QPainter& p, const WinpData* in) const
{
    const double mjd = in->mjd;
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
            const QPoint q = PxCoord(in, j / 2.0, l);
            if (q.x() <= in->mapwidth)
                pts.push_back(q);
        }
    }
    p.setPen(NightShade(in->mapbg));
    p.drawPoints(pts.data(), static_cast<int>(pts.size()));
}

void WorldMapRenderer::drawGrid(QPainter& p, const WinpData* in) const
{
    p.setPen(kGridPen);
    const int grid = in->grid;
    if (grid <= 0) {
        p.drawLine(720, 0, 720, kMapRows);
        return;
    }
    if (polar(in)) {
        const int sign = in->maptype == kSouthPolar ? -1 : 1;
        for (int l = -180; l < 180; l += 30) {
            QPoint a = PxCoord(in, 90 * sign, l);
            QPoint b = PxCoord(in, 10 * sign, l);
            p.drawLine(a, b);
            for (int lat = 9; lat >= 0; --lat) {
                a = b;
                b = PxCoord(in, lat * sign, l);
                if (b.x() <= in->mapwidth)
                    p.drawLine(a, b);
            }
        }
        for (int lat : {60, 30}) {
            QPolygon circle;
            for (int l = -180; l <= 180; l += 5)
                circle << PxCoord(in, lat * sign, l);
            p.drawPolyline(circle);
        }
        return;
    }
    auto lines = [&](int lonStep, int lonFrom, int latStep, int latFrom) {
        for (int l = lonFrom; l <= 180; l += lonStep) {
            const int x = PxCoord(in, 90, l).x();
            p.drawLine(x, 0, x, kMapRows);
        }
        for (int lat = latFrom; lat <= -latFrom; lat += latStep) {
            const int y = PxCoord(in, lat, -180).y();
            p.drawLine(0, y, kMapCols, y);
        }
    };
    if (grid == 2) {
        lines(10, -170, 10, -80);
        p.setPen(kGridMajorPen);
    }
    lines(30, -150, 30, -60);
}

void WorldMapRenderer::drawLand(QPainter& p, const WinpData* in) const
{
    p.setPen(kLandPen);
    QPoint prev;
    bool penDown = false;
    for (const auto& pair : kCoastline) {
        if (pair[0] == kCoastPenUp) {
            penDown = false;
            continue;
        }
        const QPoint q = PxCoord(in, pair[0] / 10.0, pair[1] / 10.0);
        if (penDown && std::abs(q.x() - prev.x()) < kWrapJump)
            p.drawLine(prev, q);
        prev = q;
        penDown = true;
    }
    if (!polar(in))
        return;
    p.setPen(kGridPen);
    QPolygon equator;
    for (int l = 0; l < 360; ++l) {
        const QPoint q = PxCoord(in, 0, l);
        if (q.x() <= in->mapwidth && q.y() <= in->mapheight)
            equator << q;
    }
    p.drawPolyline(equator);
}

void WorldMapRenderer::drawWorld(QPainter& p, const WinpData* in) const
{
    if (in->daynight)
        drawNight(p, in);
    drawGrid(p, in);
    const bool image = in->maptype == kWorldImage && in->mapimgok && !in->daynight;
    if (!image)
        drawLand(p, in);
    const QPoint o = PxCoord(in, in->obslat, in->obslon);
    if (o.x() <= in->mapwidth) {
        p.setPen(kObserver);
        p.setBrush(kObserver);
        p.drawEllipse(markerRect(o));
        p.setBrush(Qt::NoBrush);
    }
}

QPoint WorldMapRenderer::satPixel(const WinpData* in, const SatPosData* sp, int i) const
{
    if (in->smplot == 1)
        return discPixel(in, sp, i, in->occmode);
    if (in->skymap)
        return SkySatPixel(in, sp, geo, i);
    const bool centre = in->occmode > 0 || (in->flares && in->knownsurf > 0);
    return centre ? PxCoord(in, sp->ctrlat[i], sp->ctrlon[i]) : PxCoord(in, sp->lat[i], sp->lon[i]);
}

void WorldMapRenderer::drawFootprint(QPainter& p, const WinpData* in, const SatPosData* sp, int i) const
{
    for (int k = 0; k < sp->ncircle; ++k) {
        const QPoint f = PxCoord(in, sp->circlat[i][k] * kCircleDeg, sp->circlon[i][k] * kCircleDeg);
        if (f.x() <= in->mapwidth)
            p.drawPoint(f);
    }
}

void WorldMapRenderer::drawSubSolar(QPainter& p, const WinpData* in, const SatPosData* sp) const
{
    const QPoint s = PxCoord(in, sp->sunlat, sp->sunlon);
    p.setPen(kSubSolar);
    for (const auto& d : kSunMark)
        p.drawPoint(s.x() + d[0], s.y() + d[1]);
    p.setPen(SatColour(0, in->mapbg));
    p.drawPoint(s);
}

void WorldMapRenderer::drawOverlay(const WinpData* in, const SatPosData* sp, int circles)
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
    const bool disc = in->smplot == 1;
    const bool ground = in->skymap == 0 || disc;
    const bool groundTrack = ground && !disc;
    const bool footprints = circles && groundTrack && in->occmode == 0 && in->flares == 0;
    int faultRow = 0;
    for (int i = 0; i < in->nsat; ++i) {
        p.setPen(SatColour(i, in->mapbg));
        const StateFault fault = SlotFault(in, sp, i);
        if (fault != StateFault::kNone) {
            // No marker at a place the satellite is not: its name and the fault in the corner.
            lastx[i] = in->mapwidth + kOffMap;
            p.drawText(kFaultLabelX, kFaultLabelTop + kFaultLabelStep * faultRow++,
                       SlotLabel(in, i) + QStringLiteral(": ") + QString::fromLatin1(FaultText(fault)));
            continue;
        }
        const QPoint c = satPixel(in, sp, i);
        lastx[i] = c.x();
        lasty[i] = c.y();
        // A satellite off the map may still have part of its footprint on it.
        if (footprints)
            drawFootprint(p, in, sp, i);
        if (c.x() - 2 > in->mapwidth)
            continue;
        if (ground) {
            p.drawEllipse(markerRect(c));
            p.drawPoint(c);
        } else {
            DrawSkySat(p, in, c);
        }
        if (in->shownames)
            p.drawText(c.x() - 2, c.y() - 2, SlotLabel(in, i));
    }
    if (in->nsat > 0 && groundTrack)
        drawSubSolar(p, in, sp);
}

void WorldMapRenderer::drawTracks(const WinpData* in)
{
    QPainter p(&pmCanvas);
    for (int i = 0; i < in->nsat; ++i) {
        if (lastx[i] > in->mapwidth)
            continue;
        p.setPen(SatColour(i, in->mapbg));
        p.drawPoint(lastx[i], lasty[i]);
    }
}
