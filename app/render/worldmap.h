// Ground-track map helpers shared by the map drawing, the plot steps and their tests: canvas
// layout, pixel rounding, colours and the night-side terminator.
#pragma once

#include <QColor>
#include <QString>

#include "foundation/vec3.h"

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
int PxRound(double v);

// Local date and time of mjd as the map and the picture label it (month, day, time).
QString PlotTimeText(double mjd);

// knownsurf of a flare surface that is not known, its mirror angles taken in the local attitude.
constexpr int kUnknownLocalSurface = -1;
// True in the flare mode whose surface is not known and is given in the local attitude: the
// map and the picture then show the ideal mirror's yaw and pitch.
bool MirrorAnglesShown();
// "Y:" and "P:" with the ideal mirror's yaw and pitch, degrees (flryaw, flrpitch).
QString MirrorYawText();
QString MirrorPitchText();

// Longitude (degrees) brought into -180..180 by adding or subtracting 360 at most once.
double WrapLon(double lon);

// Background colour of the map for the colour scheme mapbg (0 white, 1 grey, 2 black).
QColor MapBackground(int mapbg);

// Marker colour of satellite slot (0..9) for the colour scheme mapbg.
QColor SatColour(int slot, int mapbg);

// Name of satellite slot as the map and its information area label it (at most 15 characters).
QString SlotLabel(int slot);

// Horizontal pixel shift of the world image that centres it on the meridian cenlon (degrees).
int EarthShift(double cenlon);

// Latitude (degrees) of the terminator on the meridian whose equator point has the unit vector
// g, for the Sun's unit vector s (both equatorial of date).
double TerminatorLat(const Vec3& s, const Vec3& g);
