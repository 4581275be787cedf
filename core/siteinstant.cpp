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

// One kept minute: its number, the generation of the settings it was computed for and the
// quantities.
struct StoredMinute {
    double minute;
    unsigned generation;
    SiteInstant site;
};

// The thread's kept minutes. Each of kStoredMinutes index entries names the kept minute of its
// slot (or -1); the minutes themselves are added as they are first visited, so a short search
// touches little memory.
struct MinuteStore {
    MinuteStore() { minutes.reserve(kStoredMinutes); }  // so that an entry never moves

    SiteKey key{};
    unsigned generation = 0;  // counts the changes of the settings
    std::vector<int> index = std::vector<int>(kStoredMinutes, -1);
    std::vector<StoredMinute> minutes;
    SiteInstant scratch{};  // an instant not on a whole minute
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

// The site quantities at mjd computed afresh into s.
void computeSite(const WinpData* in, double mjd, SiteInstant& s)
{
    s.frame = MakeDateFrame(in, mjd);
    s.observer = observerAt(in, s.frame);
    s.horizon = HorizonMatrix(s.frame.trot, s.frame.eqeq, s.observer.lat, s.observer.lon);
}

// The site quantities of the whole minute `minute` from the thread's store, computed there when
// it does not hold them for the store's current settings.
const SiteInstant& minuteSite(const WinpData* in, MinuteStore& store, double minute)
{
    int& k = store.index[static_cast<long long>(minute) & (kStoredMinutes - 1)];
    if (k < 0) {
        k = static_cast<int>(store.minutes.size());
        store.minutes.push_back({NAN, 0, {}});
    }
    StoredMinute& m = store.minutes[k];
    if (!(m.minute == minute && m.generation == store.generation)) {
        m.minute = minute;
        m.generation = store.generation;
        computeSite(in, MinuteMjd(minute), m.site);
    }
    return m.site;
}

// Element-wise a + f (b - a).
Mat3 interpolate(const Mat3& a, const Mat3& b, double f)
{
    Mat3 m;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) m.at(i, j) = a.at(i, j) + f * (b.at(i, j) - a.at(i, j));
    return m;
}

// The site quantities at mjd into s, between the whole minutes whose quantities are a and b:
// nutation, equation of the equinoxes and the TEME rotation, which change by less than 1e-9 rad
// per minute, interpolated linearly; the Earth's rotation since a computed at mjd itself.
void betweenMinutes(const WinpData* in, const SiteInstant& a, const SiteInstant& b, double mjd, SiteInstant& s)
{
    const double f = (mjd - a.frame.t) / (b.frame.t - a.frame.t);
    DateFrame& d = s.frame;
    d.t = mjd;
    d.trot = RotationMjd(in, mjd);
    d.T = a.frame.T + (mjd - a.frame.t) / kJulianCentury;
    d.eqeq = a.frame.eqeq + f * (b.frame.eqeq - a.frame.eqeq);
    d.nut = interpolate(a.frame.nut, b.frame.nut, f);
    d.teme = interpolate(a.frame.teme, b.frame.teme, f);
    d.gast = lsidtim(d.trot, 0.0, d.eqeq) * kHourToRad;
    const double turn = d.gast - a.frame.gast;
    s.observer = a.observer;
    const Mat3 spin = zrot(turn);
    s.observer.r = mxvct(mxtrn(spin), a.observer.r);  // the transpose is zrot(-turn)
    s.observer.v = siteVelocity(s.observer.r);
    s.horizon = a.horizon * spin;
}
}  // namespace

double MinuteMjd(double minute) { return minute / kMinutesPerDay; }

const SiteInstant& SiteAt(const WinpData* in, double mjd)
{
    thread_local MinuteStore store;
    const SiteKey key = keyOf(in);
    if (!(key == store.key)) {
        store.key = key;
        ++store.generation;
    }
    if (!(std::fabs(mjd) < kLastStoredMjd)) {
        computeSite(in, mjd, store.scratch);
        return store.scratch;
    }
    const double nearest = std::nearbyint(mjd * kMinutesPerDay);
    if (MinuteMjd(nearest) == mjd) return minuteSite(in, store, nearest);
    const double minute = std::floor(mjd * kMinutesPerDay);
    const SiteInstant& a = minuteSite(in, store, minute);
    betweenMinutes(in, a, minuteSite(in, store, minute + 1.0), mjd, store.scratch);
    return store.scratch;
}
