#include "core/siteinstant.h"

#include <cmath>
#include <vector>

#include "astro/earth_constants.h"
#include "astro/frames.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kTwoPi;
using time_units::kMinutesPerDay;
// Sidereal day, seconds: the period of the site's rotation.
constexpr double kSiderealDay = 86164.09054;
// Whole minutes kept per thread (a power of two): over three weeks, so that a two-week search
// finds every minute it has visited before.
constexpr long long kStoredMinutes = 1 << 15;

// The settings the site quantities depend on besides the instant.
struct SiteKey {
    double lat, lon, hgt, polex, poley, ut1utc;
    int utctai;
    bool iers;
    bool operator==(const SiteKey& o) const
    {
        return lat == o.lat && lon == o.lon && hgt == o.hgt && polex == o.polex && poley == o.poley &&
               ut1utc == o.ut1utc && utctai == o.utctai && iers == o.iers;
    }
};

SiteKey keyOf(const WinpData* in)
{
    return {in->obslat, in->obslon, in->obshgt, in->polex, in->poley, in->ut1utc, in->utctai, in->iersflg};
}

// One kept minute: its instant (NaN while empty), the settings and the quantities.
struct StoredMinute {
    double t = NAN;
    SiteKey key{};
    SiteInstant site{};
};

// The site at its geodetic latitude on the ellipsoid; its velocity is that of the Earth's
// rotation, the sidereal rate about the z axis.
Observer observerAt(const WinpData* in, const DateFrame& f)
{
    Observer o;
    o.lat = in->obslat * kDegToRad;
    o.lon = in->obslon * kDegToRad;
    o.hgt = in->obshgt;
    o.r = GeoPos(f.trot, f.eqeq, o.lat, o.lon, o.hgt, in->polex, in->poley) * kEarthRadiusKm;
    o.v = Vec3(-o.r[1], o.r[0], 0.0) * (kTwoPi / kSiderealDay);
    return o;
}

// The site quantities at mjd computed afresh.
SiteInstant computeSite(const WinpData* in, double mjd)
{
    SiteInstant s;
    s.frame = MakeDateFrame(in, mjd);
    s.observer = observerAt(in, s.frame);
    s.horizon = HorizonMatrix(s.frame.trot, s.frame.eqeq, s.observer.lat, s.observer.lon);
    return s;
}
}  // namespace

double MinuteMjd(double minute) { return minute / kMinutesPerDay; }

SiteInstant SiteAt(const WinpData* in, double mjd)
{
    const double minute = std::nearbyint(mjd * kMinutesPerDay);
    if (!(MinuteMjd(minute) == mjd)) return computeSite(in, mjd);
    thread_local std::vector<StoredMinute> store(kStoredMinutes);
    StoredMinute& m = store[static_cast<long long>(minute) & (kStoredMinutes - 1)];
    const SiteKey key = keyOf(in);
    if (!(m.t == mjd && m.key == key)) m = {mjd, key, computeSite(in, mjd)};
    return m.site;
}
