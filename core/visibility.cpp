// Visibility test of a computed satellite row.
#include <cmath>

#include "core/geodesy.h"
#include "core/iridium.h"
#include "core/satstate.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
// Largest declination of the Sun (degrees): the obliquity of the ecliptic, 23.44 deg now and
// within 0.05 deg of it for centuries, rounded up. The margin (degrees) covers nutation,
// aberration, parallax, refraction at the elevations concerned and the site model.
constexpr double kSunDeclinationBound = 23.5;
constexpr double kSunElevationMargin = 1.0;

// Relative mode: the row holds the second satellite's point (lat, lon, height) and the
// prime's point (ra, dec, sunlit); true when each is above the other's horizon.
bool mutualView(const WinpData* in, const SatPosData* sp, int slot)
{
    const double p1 = sp->lat[slot] * kDegToRad, l1 = sp->lon[slot] * kDegToRad;
    const double p2 = sp->ra[slot] * kDegToRad, l2 = sp->dec[slot] * kDegToRad;
    const double cosd = std::cos(p1) * std::cos(p2) * std::cos(l1 - l2) + std::sin(p1) * std::sin(p2);
    if (cosd <= std::cos(HorizonAngle(sp->height[slot]) + HorizonAngle(sp->sunlit[slot])))
        return false;
    return !in->visonly || (sp->primelit >= 0.0 && sp->seclit >= 0.0);
}
}  // namespace

bool cksatok(const WinpData* in, const SatPosData* sp, int slot)
{
    if (slot < 0 || slot >= kMaxSat) return false;
    if (in->relmode && in->nsat >= 2 && in->occmode == 0 && in->flares == 0)
        return mutualView(in, sp, slot);
    if (!AboveMinElevation(in, sp, slot) || sp->sunelev >= in->maxsunelev) return false;
    if (!in->visonly) return true;
    if (in->moonvis) return sp->moonlit[slot] >= 0.0 && sp->sunlit[slot] < 0.0;
    return sp->sunlit[slot] >= 0.0;
}

bool AboveMinElevation(const WinpData* in, const SatPosData* sp, int slot)
{
    return !(sp->elev[slot] < in->minsatelev);
}

bool HorizonOnly(const WinpData* in, int slot)
{
    return slot >= 0 && slot < kMaxSat && !in->numflg[slot] && in->iridmode == kPlainPasses && !RelativeMode(in) &&
           !in->visonly && in->occmode == 0 && in->flares == 0 && SunNeverReaches(in, in->maxsunelev);
}

bool SunNeverReaches(const WinpData* in, double elev)
{
    const double lat = std::fabs(in->obslat);
    return lat <= 90.0 && elev > 90.0 - (lat - kSunDeclinationBound - kSunElevationMargin);
}
