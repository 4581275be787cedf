// The sky map: the observer's sky (stars, Sun, Moon, planets, cardinal points) in a zenith
// projection or a horizon band, the selected satellites on it, and the inverse for clicks.
// Directions are azimuth (degrees from north through east) and elevation (degrees).
#pragma once

#include <QPoint>

#include "canvaslayout.h"
#include "core/records.h"

class QPainter;

// Placement of the sky chart on the canvas.
using SkyGeometry = MapGeometry;

// The geometry of the zenith projection (skyproj 0) or of the horizon band (any other value).
SkyGeometry SkyGeometryFor(int skyproj);

// Elevation of the visible horizon, degrees: the depressed horizon of the prime satellite's
// view (satview with obshgt > 0, metres), otherwise 0.
double SkyHorizon(const WinpData* s);

// Pixel of the direction elev, azim (degrees); (mapwidth + 3, mapheight + 3) or x = mapwidth + 3
// when the direction is off the chart.
QPoint PxSky(const WinpData* s, const SkyGeometry& g, double elev, double azim);

// Inverse of PxSky: writes locaz, locel (degrees; locel -100 when outside the chart) and, for a
// valid direction, locra (h.mmss) and locdec (d.mmss) of the equinox epoch (0 = of date) at
// the instant lastrefresh. Returns false when the pixel is outside the chart.
bool SkyPx(WinpData* s, const SkyGeometry& g, const QPoint& p);

// Draws the base sky chart for the instant s->mjd: stars, horizon, cardinal points, Sun, Moon,
// planets and (zenith projection) their legend. The canvas holds the background already.
void PltSky(QPainter& painter, const WinpData* s, const SkyGeometry& g);

// Pixel of satellite slot i on the sky map, or an off-chart pixel (x = mapwidth + 3) when it is
// not shown: hidden in the Earth's shadow under visonly (unless moonlit under moonvis), or the
// prime satellite as the viewpoint of satview.
QPoint SkySatPixel(const WinpData* s, const SatPosData* sp, const SkyGeometry& g, int i);

// Draws the marker of a satellite at pixel p with the painter's pen (nothing when off the map).
void DrawSkySat(QPainter& painter, const WinpData* s, const QPoint& p);
