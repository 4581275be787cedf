// The Sun/Moon disc view of transit plots: the Sun or the Moon (phase, bright limb, terminator)
// at a fixed scale about the map centre, the direction of celestial north, and the satellites'
// pixels relative to the body.
#pragma once

#include <QPoint>

#include "core/occtrans.h"
#include "core/records.h"

class QPainter;

// Scale of the disc view in pixels per degree for each pixel of mapy0 (504 at mapy0 = 180).
constexpr double kDiscScale = 2.8;
// Apparent radius of the Sun's disc drawn, degrees.
constexpr double kSunDiscRadius = 0.265;

// Pixel geometry of the disc view: the body's centre and the scale, pixels per degree.
struct DiscGeometry {
    int x0 = 360;
    int y0 = 180;
    double scale = kDiscScale * 180;
};

// True when the settings ask for the disc view: the Sun/Moon plot with a Sun or Moon transit.
bool SunMoonDiscWanted(const WinpData* in);

// Pixel of a satellite at azimuth satAz and elevation satEl (degrees) in the disc view of the
// body at bodyAz, bodyEl (degrees); y is -10 (not drawn, x off the map) when the satellite is
// more than 5 degrees from the body or below the map rows.
QPoint DiscPixel(double satAz, double satEl, double bodyAz, double bodyEl, const DiscGeometry& g,
                 int mapwidth);
// DiscPixel of satellite slot of sp in the disc view of body (1 Sun, otherwise the Moon).
QPoint SlotDiscPixel(const WinpData* in, const SatPosData* sp, const DiscGeometry& g, int slot, int body);

// Angle (radians) by which the Moon's bright side is turned from the right (increasing azimuth)
// toward the top of the disc view, less a quarter turn: -pi/2 when the Sun is straight above the
// Moon, 0 when it is level on the right. Sun elevation in degrees, the other angles in radians.
double MoonOrientation(double sunelDeg, double sunaz, double moonel, double moonaz);

// Terminator parameter of the Moon seen at the site: the cosine of the Moon's elongation from
// the Sun (1 new, 0 quarter, -1 full). Sun elevation in degrees, the other angles in radians.
double MoonTerminator(double sunelDeg, double sunaz, double moonel, double moonaz);

// Angle (radians) from the top of the disc view to the direction of the celestial north pole at
// a body at elevation el and azimuth az (radians, from north through east) seen from latitude
// lat (radians); positive toward increasing azimuth.
double NorthMarkAngle(double el, double az, double lat);

// Draws the disc of the Sun (occmode 1, or no satellite selected) or of the Moon with its phase,
// and, with satellites selected and a grid, the north mark.
void DrawSunMoonDisc(QPainter& p, const WinpData* in, const SatPosData* sp, const DiscGeometry& g);
