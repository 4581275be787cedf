#include "core/dateframe.h"

#include "astro/earth_constants.h"
#include "astro/frames.h"
#include "astro/moon200.h"
#include "astro/sun200.h"
#include "astro/timescales.h"
#include "core/timeset.h"
#include "foundation/textconv.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kPi;
using angle_units::kRadToDeg;
using time_units::kSecondsPerDay;
using angle_units::kHourToRad;
using angle_units::kDegPerHour;
using angle_units::kTimeSecPerRad;
// Years per Julian century, and the year of the J2000 equinox.
constexpr double kYearsPerCentury = 100.0;
constexpr double kJ2000Year = 2000.0;
}  // namespace

double RotationMjd(const WinpData* in, double mjd) { return in->iersflg ? mjd + in->ut1utc / kSecondsPerDay : mjd; }

DateFrame MakeDateFrame(const WinpData* in, double mjd)
{
    int day, month, year;
    double hour;
    caldat(mjd, day, month, year, hour);
    return MakeDateFrame(in, mjd, julcent(mjd + SetTtUt(in, year) / kSecondsPerDay));
}

DateFrame MakeDateFrame(const WinpData* in, double mjd, double T)
{
    DateFrame f;
    f.t = mjd;
    f.trot = RotationMjd(in, mjd);
    f.T = T;
    f.nut = nutmat(f.T, f.eqeq, in->iersflg);
    f.gast = lsidtim(f.trot, 0.0, f.eqeq) * kHourToRad;
    f.teme = zrot(-f.eqeq / kTimeSecPerRad);
    return f;
}

Mat3 EpochMatrix(const WinpData* in, const DateFrame& f)
{
    if (in->epoch == 0.0) return mxidn();
    return pmatequ(f.T, (in->epoch - kJ2000Year) / kYearsPerCentury) * mxtrn(f.nut);
}

Vec3 SkyDirection(double ra, double dec)
{
    return polcar(Vec3(1.0, DmsDegF(ra) * kDegPerHour * kDegToRad, DmsDegF(dec) * kDegToRad));
}

void SkyCoordinates(const Vec3& v, double& ra, double& dec)
{
    const Vec3 p = carpol(v);
    ra = DegFDms(p[1] * kRadToDeg / kDegPerHour);
    dec = DegFDms(p[2] * kRadToDeg);
}

Vec3 SunOfDate(const DateFrame& f)
{
    Sun200 sun;
    const Vec3 r = mxvct(f.nut, eclequ(f.T, sun.position(f.T)));
    return aberrat(f.T, r) * kEarthRadiiPerAu;
}

Vec3 MoonOfDate(const DateFrame& f)
{
    Moon200 moon;
    return mxvct(f.nut, eclequ(f.T, moon.position(f.T)));
}
