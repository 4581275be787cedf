// The Earth ellipsoid as the satellite computations use it: constants, the sub-point of a
// position and the latitude conversion of the sub-solar point.
#pragma once

#include "astro/earth_constants.h"
#include "foundation/arith.h"
#include "foundation/vec3.h"

// Ratio of tan(geodetic) to tan(geocentric) latitude used for the sub-solar point (close to
// 1/(1 - e^2)).
constexpr double kGeocentricRatio = 1.00674;
// |latitude| (radians, 88 degrees) from which the latitude conversion is not applied.
constexpr double kPolarLatitude = 1.53589;

// Geodetic latitude lat, longitude lon in -pi..pi (radians) and height above the ellipsoid (km)
// of the Earth-fixed position r (km); all zero when |r| <= 0.1 km.
void GeodeticPoint(const Vec3& r, double& lat, double& lon, double& height);

// Geodetic-like latitude atan(tan(delta)*kGeocentricRatio) of the declination delta (radians)
// of the sub-solar point; delta itself within 2 degrees of a pole.
double SubSolarLatitude(double delta);

// Angular radius (radians) of the Earth's region seen from height h (km) above the
// equatorial radius; 0 when h is not positive.
double HorizonAngle(double h);

