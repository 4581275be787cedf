#include "core/orbitpole.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "astro/frames.h"
#include "core/dateframe.h"
#include "core/satstate.h"
#include "foundation/arith.h"
#include "foundation/textconv.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kRadToDeg;
using angle_units::kTwoPi;
// Half the interval between the two positions that span the orbit plane: 15 s, in days.
constexpr double kHalfSpan = 15.0 / 86400.0;

// Sky direction of the prime satellite at mjd, referred to epoch.
Vec3 primeDirection(WinpData* in, SatPosData* sp, double mjd)
{
    GetSatPos(mjd, in, sp, in->prime, 0);
    return SkyDirection(sp->ra[in->prime], sp->dec[in->prime]);
}

// Appends text, with decimal commas turned into points, to buf.
void append(char* buf, char* text)
{
    decdot(text);
    std::strcat(buf, text);
}
}  // namespace

void GetPoleTxt(WinpData* in, char* buf)
{
    if ((in->relmode && in->nsat >= 2) || in->occmode != 0 || in->flares != 0) return;
    if (in->prime < 0 || in->prime >= kMaxSat) return;
    auto sp = std::make_unique<SatPosData>();
    Vec3 pole = primeDirection(in, sp.get(), in->pdmaxt - kHalfSpan)
                * primeDirection(in, sp.get(), in->pdmaxt + kHalfSpan);
    if (abs(pole) == 0.0) return;

    const DateFrame f = MakeDateFrame(in, in->pdmaxt);
    const Mat3 toDate = mxtrn(EpochMatrix(in, f));
    const double lat = in->obslat * kDegToRad, lon = in->obslon * kDegToRad;
    double az, el, dist;
    AppPos(f.trot, f.eqeq, lat, lon, in->obshgt, 0, mxvct(toDate, pole), az, el, dist);
    if (el < 0.0) {
        pole = -pole;
        AppPos(f.trot, f.eqeq, lat, lon, in->obshgt, 0, mxvct(toDate, pole), az, el, dist);
    }
    az = FoldPositive(az, kTwoPi);
    double ra, dec;
    SkyCoordinates(pole, ra, dec);

    char text[80];
    std::strcat(buf, "Apparent Pole of orbit (Azim   Elev   R.A.  Decl)\n");
    std::snprintf(text, sizeof text, "           %7.2lf %7.2lf", az * kRadToDeg, el * kRadToDeg);
    append(buf, text);
    std::snprintf(text, sizeof text, in->digits4 == 1 ? "    %9.4lf  %9.4lf" : "    %7.2lf  %7.2lf",
                  ra, dec);
    append(buf, text);
}
