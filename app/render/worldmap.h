// Ground-track map helpers shared by the map drawing, the picture and their tests: colours, the
// shift of the world image and the night-side terminator.
#pragma once

#include <QColor>
#include <QString>

#include "canvaslayout.h"
#include "core/records.h"
#include "foundation/vec3.h"

// Background colour of the map for the colour scheme mapbg (0 white, 1 grey, 2 black).
QColor MapBackground(int mapbg);

// Colour of the night shading for the colour scheme mapbg.
QColor NightShade(int mapbg);

// Marker colour of satellite slot (0..9) for the colour scheme mapbg.
QColor SatColour(int slot, int mapbg);

// Name of satellite slot as the map, its strip and the picture label it (at most 15 characters).
QString SlotLabel(const WinpData* in, int slot);

// Horizontal pixel shift of the world image that centres it on the meridian cenlon (degrees).
int EarthShift(double cenlon);

// Latitude (degrees) of the terminator on the meridian whose equator point has the unit vector
// g, for the Sun's unit vector s (both equatorial of date).
double TerminatorLat(const Vec3& s, const Vec3& g);
