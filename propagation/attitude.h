// Local attitude frame of a satellite: an aircraft flying along its velocity, belly to the Earth.
#pragma once
#include "foundation/mat3.h"
#include "foundation/vec3.h"

// Rotation from the inertial frame to the local attitude frame for position r and
// velocity v, turned by yaw (degrees, positive to the right) and then pitch (degrees,
// positive up). Row 1 is the inertial direction of that yaw and pitch, row 2 the right
// wing, row 3 the belly. Mode 1: the nose follows v; mode 2: the nose is levelled to the
// local horizontal (tilt by the flight-path angle) so the belly points at the Earth's centre.
Mat3 GetRVMat(const Vec3& r, const Vec3& v, double yaw, double pitch, int mode);

// Yaw-steering variant of GetRVMat: the nose follows the ground track, that is the velocity
// relative to the rotating Earth, levelled to the horizontal of the flattened (WGS-84) Earth
// below the satellite, and the belly points along the downward ellipsoid normal. r and v
// inertial of date in consistent units (km and km/s, or m and m/s).
Mat3 GetYSMat(const Vec3& r, const Vec3& v, double yaw, double pitch);
