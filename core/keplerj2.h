// Analytic orbit of a slot's osculating elements: a Kepler ellipse whose node and perigee
// drift with the secular J2 rates, or an unperturbed hyperbola or parabola.
#pragma once

#include "core/records.h"
#include "foundation/vec3.h"

// Position r (km) and velocity v (km/s) of slot dt days after its element epoch, in the
// frame of its elements. Elliptic orbits use elsma, elmm, eladot, elndot and elnddot; for
// eccentricity 1 or more elmm holds the perigee distance (km) and the epoch is the perigee time.
void KeplerJ2(const WinpData* in, int slot, double dt, Vec3& r, Vec3& v);
