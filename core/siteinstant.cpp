#include "core/siteinstant.h"

#include <cmath>
#include <vector>

#include "astro/earth_constants.h"
#include "astro/frames.h"
#include "astro/timescales.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kTwoPi;
using time_units::kMinutesPerDay;
using angle_units::kHourToRad;
// Sidereal day, seconds: the period of the site's rotation.
constexpr double kSiderealDay = 86164.09054;
// Whole minutes kept per thread (a power of two): over three weeks, so that a two-week search
// finds every minute it has visited before.
constexpr long long kStoredMinutes = 1 << 15;
// Instants beyond this (MJD) are computed afresh: their minute numbers need not fit the store's index.
constexpr double kLastStoredMjd = 1.0e9;

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

// Velocity (km/s) of the site at r (km): the sidereal rate about the z axis.
Vec3 siteVelocity(const Vec3& r) { return Vec3(-r[1], r[0], 0.0) * (kTwoPi / kSiderealDay); }

// The site at its geodetic latitude on the ellipsoid; its velocity is that of the Earth's
// rotation, the sidereal rate about the z axis.
Observer observerAt(const WinpData* in, const DateFrame& f)
{
    Observer o;
    o.lat = in->obslat * kDegToRad;
    o.lon = in->obslon * kDegToRad;
    o.hgt = in->obshgt;
    o.r = GeoPos(f.trot, f.eqeq, o.lat, o.lon, o.hgt, in->polex, in->poley) * kEarthRadiusKm;
    o.v = siteVelocity(o.r);
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

// The site quantities of the whole minute `minute`, from the thread's store when it holds them
// for the same settings.
SiteInstant minuteSite(const WinpData* in, double minute)
{
    thread_local std::vector<StoredMinute> store(kStoredMinutes);
    StoredMinute& m = store[static_cast<long long>(minute) & (kStoredMinutes - 1)];
    const double t = MinuteMjd(minute);
    const SiteKey key = keyOf(in);
    if (!(m.t == t && m.key == key)) m = {t, key, computeSite(in, t)};
    return m.site;
}

// The site quantities at mjd, between the whole minutes whose quantities are a and b: nutation,
// equation of the equinoxes and the TEME rotation, which change by less than 1e-9 rad per
// minute, interpolated linearly; the Earth's rotation since a computed at mjd itself.
SiteInstant betweenMinutes(const WinpData* in, const SiteInstant& a, const SiteInstant& b, double mjd)
{
    const double f = (mjd - a.frame.t) / (b.frame.t - a.frame.t);
    SiteInstant s = a;
    DateFrame& d = s.frame;
    d.t = mjd;
    d.trot = RotationMjd(in, mjd);
    d.T = a.frame.T + (mjd - a.frame.t) / kJulianCentury;
    d.eqeq = a.frame.eqeq + f * (b.frame.eqeq - a.frame.eqeq);
    d.nut = a.frame.nut + f * (b.frame.nut - a.frame.nut);
    d.teme = a.frame.teme + f * (b.frame.teme - a.frame.teme);
    d.gast = lsidtim(d.trot, 0.0, d.eqeq) * kHourToRad;
    const double turn = d.gast - a.frame.gast;
    s.observer.r = mxvct(zrot(-turn), a.observer.r);
    s.observer.v = siteVelocity(s.observer.r);
    s.horizon = a.horizon * zrot(turn);
    return s;
}
}  // namespace

double MinuteMjd(double minute) { return minute / kMinutesPerDay; }

SiteInstant SiteAt(const WinpData* in, double mjd)
{
    if (!(std::fabs(mjd) < kLastStoredMjd)) return computeSite(in, mjd);
    const double nearest = std::nearbyint(mjd * kMinutesPerDay);
    if (MinuteMjd(nearest) == mjd) return minuteSite(in, nearest);
    const double minute = std::floor(mjd * kMinutesPerDay);
    return betweenMinutes(in, minuteSite(in, minute), minuteSite(in, minute + 1.0), mjd);
}
