// Flares: sunlight (or moonlight) reflected toward the ground by a flat mirror on a satellite,
// the Iridium main mission antennas and solar panel, and the flare brightness laws.
#pragma once

#include "core/occtrans.h"
#include "core/records.h"
#include "foundation/vec3.h"

// Apparent magnitude of the Sun as a light source.
constexpr double kSunMagnitude = -26.74;

// Reflectors of an Iridium satellite: main mission antennas 0 (front), 1 (left), 2 (right), and
// the solar panel.
constexpr int kIridiumAntennas = 3;
constexpr int kSolarPanel = 3;
constexpr int kIridiumReflectors = 4;
// Pitch (degrees) of the normals of the Iridium antennas in the local attitude.
constexpr double kAntennaPitch = -40.0;

// Yaw (degrees) of the normal of Iridium antenna k (0 front, 1 left, 2 right): 0, -120, +120.
double AntennaYaw(int k);

// Unit direction of the light leaving a mirror of unit normal n that is lit from the unit
// direction s (pointing toward the light source): s mirrored about n.
Vec3 ReflectedRay(const Vec3& n, const Vec3& s);
// Unit normal of the mirror that reflects light from the unit direction s toward the unit
// direction o: their bisector.
Vec3 IdealNormal(const Vec3& s, const Vec3& o);
// Angle (degrees) between the reflected ray and the unit direction o from the satellite to the
// site, its cosine clamped to 0.0001..0.9999999999 (0 in the centre of the flare).
double FlareAngle(const Vec3& ray, const Vec3& o);

// Brightness law (magnitudes, peak offset included) of an Iridium main mission antenna at the
// flare angle theta (degrees): logarithmic, at least -0.2, minus 8.7.
double AntennaLaw(double theta);
// Brightness law of a solar panel at theta (degrees): linear in two pieces, minus 0.7.
double PanelLaw(double theta);
// Flare magnitude of a mirror seen at range km and elevation elev (degrees, positive), with
// extinction when extinct, lit at the cosine of incidence cosinc (0.0001 when not positive), at
// the flare angle theta (degrees), by the panel law when panel, else the antenna law.
double FlareMagnitude(double range, double elev, bool extinct, double cosinc, double theta, bool panel);

// Unit vector of date in the local attitude of the satellite at r, v (GetRVMat mode 1, or the
// yaw-steering frame when yawsteer) turned by yaw and pitch (degrees).
Vec3 AttitudeDirection(const WinpData* in, const Vec3& r, const Vec3& v, double yaw, double pitch,
                       bool yawsteer);
// Yaw (0 to 360) and pitch (degrees) of the unit vector n in that local attitude.
void AttitudeAngles(const WinpData* in, const Vec3& r, const Vec3& v, const Vec3& n, bool yawsteer,
                    double& yaw, double& pitch);

// Normal of the lit face of the Iridium solar panel of the satellite at r, v lit from the unit
// direction s: between 40 and 65 degrees of sub-satellite latitude lat (degrees) the panel lies in
// the plane of yaw +-90 and pitch 40, its lit face looking across the track to the side of the
// light and 40 degrees down; elsewhere the panel turns about the wing axis to face the light.
Vec3 PanelNormal(const Vec3& r, const Vec3& v, const Vec3& s, double lat);

// Flare geometry of slot from its filled row: with flares the user's surface (a known normal,
// or for an unknown one the ideal mirror, whose angles go back to flryaw/flrpitch; the solar
// panel during the panel run iraltmdl of the Iridium search), else for the prime slot with
// iridmode 3 the Iridium antennas and, with irpanel, the panel, the brightest one kept. Writes
// the centre-line point of the reflected light, for the prime slot sp->mag (the flare magnitude
// when iridmode is 3 or iridflg is set, else the centre-line distance) and in->flrang. Nothing
// happens while the satellite is not lit by the source (the Moon with moonvis, else the Sun).
void MirrorGeometry(WinpData* in, SatPosData* sp, int slot, const EventScene& scene);
