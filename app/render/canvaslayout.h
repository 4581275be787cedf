// Layout of the map canvas shared by the world map, the sky map and the disc view: sizes of the
// canvas and its information strip, the map kinds, and pixel rounding.
#pragma once

#include <cmath>

// Canvas layout, pixels: map columns and rows, top of the information area, sizes of the
// canvas, the displayed page and the information strip.
constexpr int kMapCols = 721;
constexpr int kMapRows = 361;
constexpr int kInfoTop = 362;
constexpr int kCanvasW = 721;
constexpr int kCanvasH = 501;
constexpr int kDisplayW = 860;
constexpr int kInfoH = 140;

// Map kinds (maptype).
constexpr int kWorldOutline = 0;
constexpr int kNorthPolar = 1;
constexpr int kSouthPolar = 2;
constexpr int kWorldImage = 3;

// Nearest integer of a projected pixel offset v, halves away from zero.
inline int PxRound(double v)
{
    return static_cast<int>(v >= 0 ? std::trunc(v + 0.5) : std::trunc(v - 0.5));
}

// Longitude (degrees) brought into -180..180 by adding or subtracting 360 at most once.
inline double WrapLon(double lon)
{
    if (lon > 180)
        return lon - 360;
    if (lon < -180)
        return lon + 360;
    return lon;
}

// Projected radius spanned by the 180 pixels from the centre of the stereographic discs (polar
// maps, zenith sky chart): r = 2, the horizon or equator, lands 2 x 180 / 1.678 = 215 px out.
constexpr double kStereoScale = 1.678;

// Placement of a map or chart on the canvas: the pixel of the projection origin (longitude 0 and
// latitude 0, a pole, the zenith) and the pixels per unit of projected coordinate.
struct MapGeometry {
    int mapx0 = 360;
    int mapy0 = 180;
    double mapsx = 1.0;
    double mapsy = 1.0;
};
