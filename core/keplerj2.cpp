#include "core/keplerj2.h"

#include <algorithm>
#include <cmath>

#include "astro/earth_constants.h"
#include "astro/twobody.h"
#include "core/geodesy.h"
#include "foundation/mat3.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kTwoPi;
using time_units::kSecondsPerDay;
// 1.5 J2 (J2 = 0.00108263): scale of the secular node and perigee rates.
constexpr double kJ2Rate = 0.001623942;
// Smallest semi-major axis (km) the model accepts.
constexpr double kMinAxis = 1.0;

// Position and velocity (km/s) on the drifting ellipse of slot, eccentricity e < 1.
void ellipse(const WinpData* in, int slot, double dt, double e, Vec3& r, Vec3& v)
{
    const double a0 = std::max(in->elsma[slot], kMinAxis);
    const double incl = in->elincl[slot] * kDegToRad;
    const double q = (kEarthRadiusKm / a0) / (1.0 - e * e);
    const double n = kTwoPi * in->elmm[slot];
    const double rate = kJ2Rate * q * q * n * dt;
    const double sini = std::sin(incl);
    const double node = in->elnode[slot] * kDegToRad - rate * std::cos(incl);
    const double argp = in->elargp[slot] * kDegToRad + rate * (2.0 - 2.5 * sini * sini);
    const double m = in->elmanom[slot] * kDegToRad + n * dt
                     + kTwoPi * (in->elndot[slot] + in->elnddot[slot] * dt) * dt * dt;
    const double a = std::max(a0 + in->eladot[slot] * dt, kMinAxis);

    const double E = eccanom(m, e);
    const double cosE = std::cos(E), sinE = std::sin(E), root = std::sqrt(1.0 - e * e);
    const double speed = std::sqrt(kGmKmDay / a) / (1.0 - e * cosE) / kSecondsPerDay;
    const Mat3 pqr = zrot(-node) * xrot(-incl) * zrot(-argp);
    r = mxvct(pqr, Vec3(a * (cosE - e), a * root * sinE, 0.0));
    v = mxvct(pqr, Vec3(-speed * sinE, speed * root * cosE, 0.0));
}

// Position and velocity (km/s) on the open orbit of slot, perigee at the epoch, e >= 1.
void openOrbit(const WinpData* in, int slot, double dt, double e, Vec3& r, Vec3& v)
{
    const double q = in->elmm[slot];
    const double a = e == 1.0 ? q : q / (1.0 - e);
    kepler(kGmKmDay, 0.0, dt, 0.0, a, e, in->elnode[slot], in->elargp[slot], in->elincl[slot], r,
           v);
    v /= kSecondsPerDay;
}
}  // namespace

void KeplerJ2(const WinpData* in, int slot, double dt, Vec3& r, Vec3& v)
{
    const double e = std::max(in->elecc[slot], 0.0);
    if (e < 1.0)
        ellipse(in, slot, dt, e, r, v);
    else
        openOrbit(in, slot, dt, e, r, v);
}
