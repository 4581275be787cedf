#include "core/deltav.h"

#include <algorithm>
#include <memory>

#include "astro/earth_constants.h"
#include "astro/twobody.h"
#include "core/dateframe.h"
#include "core/meanmotion.h"
#include "core/rv2el.h"
#include "core/satstate.h"
#include "foundation/units.h"
#include "propagation/attitude.h"

namespace {
using length_units::kMetresPerKm;
using time_units::kSecondsPerDay;

// Velocity increment (m/s) of size dv along the velocity v, or along the attitude direction of
// yaw and pitch (degrees) for the state r, v.
Vec3 increment(const Vec3& r, const Vec3& v, double dv, double yaw, double pitch)
{
    if (yaw == 0.0 && pitch == 0.0) return dv * vnorm(v);
    return mxvct(mxtrn(GetRVMat(r, v, yaw, pitch, 1)), Vec3(dv, 0.0, 0.0));
}

// Osculating elements of the state r (m), v (m/s) into slot, in the frame of its propagator:
// the integration frame for numerical propagation, else the true equator of date of mjd.
// Returns the eccentricity; the time of perigee passage (MJD) goes to tp.
double storeOsculating(WinpData* in, int slot, double mjd, const Vec3& r, const Vec3& v, double& tp)
{
    const Mat3 f = in->numflg[slot] ? mxidn() : MakeDateFrame(in, mjd).nut;
    const Vec3 rk = mxvct(f, r) / kMetresPerKm;
    const Vec3 vk = mxvct(f, v) * (kSecondsPerDay / kMetresPerKm);
    oscelm(kGmKmDay, mjd, rk, vk, tp, in->elmanom[slot], in->elsma[slot], in->elecc[slot],
           in->elnode[slot], in->elargp[slot], in->elincl[slot]);
    return in->elecc[slot];
}
}  // namespace

int ExDeltaV(WinpData* in, double dv, double yaw, double pitch)
{
    const int p = in->prime;
    if (p < 0 || p >= std::min(in->nsat, kMaxSat)) return 0;  // no satellite selected
    const double t = in->mjd;
    auto sp = std::make_unique<SatPosData>();
    GetSatPos(t, in, sp.get(), p, 0);

    const Vec3 r(in->stpos[0][p], in->stpos[1][p], in->stpos[2][p]);
    const Vec3 v0(in->stvel[0][p], in->stvel[1][p], in->stvel[2][p]);
    const Vec3 v = v0 + increment(r, v0, dv, yaw, pitch);
    for (int k = 0; k < 3; ++k) {
        in->svpos[k][p] = r[k];
        in->stvel[k][p] = in->svvel[k][p] = v[k];
    }
    in->stmjd[p] = in->elepoch[p] = t;
    in->sgpslot = kNoSgpSlot;

    double tp;
    const double e = storeOsculating(in, p, t, r, v, tp);
    if (e >= 1.0) {
        in->sgp4flg[p] = 0;
        if (!in->numflg[p]) in->elepoch[p] = tp;
        in->elmm[p] = e == 1.0 ? in->elsma[p] : in->elsma[p] * (1.0 - e);
        return kDeltaVHyperbolic;
    }
    if (in->sgp4flg[p])
        StoreSgp4Elements(in, p, t, r, v);
    else
        in->elmm[p] = getn0(in->elsma[p], e, in->elincl[p]);
    return 0;
}
