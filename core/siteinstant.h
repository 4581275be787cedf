// What the satellite computations need of one UT instant that is the same for every satellite:
// the date frame, the site of date and the rotation to its horizon. Those of whole minutes are
// kept per thread, so a search over a whole catalogue computes each of them once.
#pragma once

#include "core/dateframe.h"
#include "core/records.h"

// The observer: geodetic latitude and east longitude (radians), height (m), and the
// geocentric position (km) and velocity (km/s) of date of the point where it is placed.
struct Observer {
    double lat, lon, hgt;
    Vec3 r, v;
};

// The per-instant quantities of the settings' site.
struct SiteInstant {
    DateFrame frame;
    Observer observer;
    Mat3 horizon;  // equator of date to the site's horizon (x south, y east, z zenith)
};

// The site quantities at the UT instant mjd (MJD). At a whole minute (MinuteMjd) exactly those
// computed afresh, from the thread's store when it holds them for the same settings; between two
// whole minutes the slowly changing nutation is interpolated from theirs (error below 1e-12 rad)
// and only the Earth's rotation is computed at mjd. The reference is to the thread's own copy and
// holds until the thread's next call.
const SiteInstant& SiteAt(const WinpData* in, double mjd);

// Instant (MJD) of the whole minute `minute` counted from MJD 0 (an integral value): the instants
// that searches share.
double MinuteMjd(double minute);
