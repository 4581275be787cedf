// The world-map renderer: owns the pixmaps of the map page (canvas, displayed page, blank
// information strip, world image), the map geometry and the pixels of the last plotted instant.
// It draws the base map (ground-track map, sky map or Sun/Moon disc), the information strip, the
// satellite markers and their tracks for the records it is given, and converts pixels to
// geographic coordinates and back.
#pragma once

#include <array>

#include <QPixmap>
#include <QPoint>

#include "canvaslayout.h"
#include "core/records.h"
#include "sunmoondisc.h"

class QPainter;
class QString;

class WorldMapRenderer {
public:
    // Loads the world image of the image map kind; false when it cannot be read.
    bool loadEarthImage(const QString& path);

    // Fills the canvas with the background and draws the base map for the settings in: the world
    // image where wanted, the blank information strip and the Sun/Moon disc (disc), the sky map
    // or the ground-track map, each with its geometry. The displayed page then shows the canvas.
    void drawBase(const WinpData* in, const SatPosData* sp, bool disc);
    // The blank information strip with the figures of the prime satellite in sp on the canvas.
    void drawInfo(const WinpData* in, const SatPosData* sp);
    // The canvas plus the markers, names, footprints (circles) and sub-solar point of sp on the
    // displayed page; remembers the satellites' pixels.
    void drawOverlay(const WinpData* in, const SatPosData* sp, int circles);
    // One track point per satellite on the canvas at the last plotted pixels.
    void drawTracks(const WinpData* in);

    // Pixel of a geographic position (degrees) on the current ground-track map.
    QPoint PxCoord(const WinpData* in, double lat, double lon) const;
    // Geographic position (degrees) of pixel p; lat -100 when p is off a polar map.
    void CoordPx(const WinpData* in, const QPoint& p, double& lat, double& lon) const;
    // Pixel of slot in the disc view of body (1 Sun, otherwise the Moon); y -10 when not drawn.
    QPoint discPixel(const WinpData* in, const SatPosData* sp, int slot, int body) const;

    const MapGeometry& geometry() const { return geo; }
    const QPixmap& canvas() const { return pmCanvas; }
    const QPixmap& display() const { return pmDisplay; }
    QPoint lastPixel(int slot) const { return {lastx[slot], lasty[slot]}; }

private:
    // Base ground-track map: night shading, grid, land outlines, observer.
    void drawWorld(QPainter& p, const WinpData* in) const;
    // Draws the world image, shifted to the central meridian.
    void drawEarthImage(QPainter& p, const WinpData* in) const;
    // Shades the night side below or above the terminator.
    void drawNight(QPainter& p, const WinpData* in) const;
    void drawGrid(QPainter& p, const WinpData* in) const;
    // Land outlines and, on the polar maps, the equator.
    void drawLand(QPainter& p, const WinpData* in) const;
    void drawFootprint(QPainter& p, const WinpData* in, const SatPosData* sp, int slot) const;
    void drawSubSolar(QPainter& p, const WinpData* in, const SatPosData* sp) const;
    // Pixel of slot i at the plotted instant on the current map.
    QPoint satPixel(const WinpData* in, const SatPosData* sp, int i) const;
    DiscGeometry discGeometry() const { return {geo.mapx0, geo.mapy0, geo.mapsx}; }

    QPixmap pmCanvas;   // base map, information area and tracks
    QPixmap pmDisplay;  // the canvas plus the markers of the plotted instant
    QPixmap pmInfo;     // blank information strip
    QPixmap pmEarth;    // world image of the image map kind
    MapGeometry geo;    // pixel of longitude 0 / latitude 0 or of the pole, pixels per unit
    std::array<int, kMaxSat> lastx{}, lasty{};  // pixel of each slot at the last plotted instant
};
