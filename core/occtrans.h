// Transits and occultations: where the line through a body (or along a fixed direction) and a
// satellite meets the Earth, the width and duration of a Sun or Moon transit, and the spherical
// distance and direction between two points.
#pragma once

#include "core/dateframe.h"
#include "core/records.h"
#include "foundation/vec3.h"

// Targets of the transit and occultation geometry (occmode): the Sun, the Moon, a fixed direction.
constexpr int kSunTarget = 1;
constexpr int kMoonTarget = 2;
constexpr int kFixedTarget = 3;

// Vectors of one computed satellite state for the event geometries, all true of date: the
// satellite r (km) and v (km/s), the Sun and the Moon (geocentric, Earth radii).
struct EventScene {
    const DateFrame& f;
    Vec3 r, v;
    Vec3 sun, moon;
};

// Centre-line point of slot into sp->ctrlat/ctrlon (degrees; kNoCentreLine when the line misses
// the Earth) at the UT instant mjd of the Earth's rotation, eqeq the equation of the equinoxes
// (seconds of time). rsat is the satellite and dir the target (Earth radii, frame of date): with
// occmode 3 a direction along which the line leaves the satellite backwards, otherwise the Sun or
// Moon position. For the prime slot sp->mag becomes the distance (km) of the point from the site.
void GetOccTrans(double mjd, WinpData* in, SatPosData* sp, int slot, double eqeq, const Vec3& rsat,
                 const Vec3& dir);

// Transit or occultation geometry of slot for occmode 1 (Sun), 2 (Moon) or 3 (the R.A. flryaw,
// h.mmss, and Dec. flrpitch, d.mmss, of the epoch of the settings).
void TransitGeometry(WinpData* in, SatPosData* sp, int slot, const EventScene& scene);

// Cosine cosd of the angular distance from point 1 to point 2 and the direction dir (degrees,
// 0 to 360 from north through east) of point 2 seen from point 1; longitudes and latitudes in
// radians. dir is 0 when point 1 is a pole or the points coincide.
void ADisDir(double lon1, double lat1, double lon2, double lat2, double& cosd, double& dir);
