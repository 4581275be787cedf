// Direction of the occultation target at the site.
#include "astro/frames.h"
#include "core/dateframe.h"
#include "core/satstate.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
}  // namespace

void convRDAE(const WinpData* in, double mjd, double T, double& az, double& el)
{
    if (!in->occradec) {
        az = in->occra * kDegToRad;
        el = in->occdec * kDegToRad;
        return;
    }
    const DateFrame f = MakeDateFrame(in, mjd, T);
    const Vec3 dir = mxvct(mxtrn(EpochMatrix(in, f)), SkyDirection(in->occra, in->occdec));
    double dist;
    AppPos(f.trot, f.eqeq, in->obslat * kDegToRad, in->obslon * kDegToRad, in->obshgt, 0, dir, az,
           el, dist);
}
