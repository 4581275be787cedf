#include "core/statevector.h"

#include <cmath>

#include <cstring>

#include "astro/earth_constants.h"
#include "astro/frames.h"
#include "astro/timescales.h"
#include "astro/twobody.h"
#include "core/dateframe.h"
#include "core/epochstate.h"
#include "core/meanmotion.h"
#include "core/rv2el.h"
#include "core/timeset.h"
#include "foundation/mat3.h"
#include "foundation/units.h"
#include "propagation/forcemodel.h"

namespace {

using time_units::kSecondsPerDay;
using length_units::kMetresPerKm;

// Rotation from the mean equator and equinox of date to frame at the instant of f (Earth-fixed
// without the Earth's rotation rate, which convertVelocity adds).
Mat3 fromMeanOfDate(int frame, const DateFrame& f)
{
    switch (frame) {
    case kFrameMeanOfDate: return mxidn();
    case kFrameJ2000: return pmatequ(f.T, 0.0);
    case kFrameEarthFixed: return zrot(f.gast) * f.nut;
    default: return f.nut;
    }
}

// Velocity relative to the rotating Earth (sign +1) or inertial (sign -1) of v (km/s) at
// the Earth-fixed position r (km).
Vec3 rotatingVelocity(const Vec3& r, const Vec3& v, double sign)
{
    const Vec3 omega(0.0, 0.0, kEarthRotation);
    return v - sign * (omega * r);
}

// Fills the text buffer s with blanks up to its terminator.
template <int N>
void blank(char (&s)[N])
{
    std::memset(s, ' ', N - 1);
    s[N - 1] = '\0';
}

}  // namespace

void vsRefState(int from, int to, double mjd, double& x, double& y, double& z, double& vx,
                double& vy, double& vz, const WinpData* in)
{
    const DateFrame f = MakeDateFrame(in, mjd);
    Vec3 r(x, y, z), v(vx, vy, vz);
    if (from == kFrameEarthFixed) v = rotatingVelocity(r, v, -1.0);
    const Mat3 back = mxtrn(fromMeanOfDate(from, f));
    r = mxvct(back, r);
    v = mxvct(back, v);
    const Mat3 forth = fromMeanOfDate(to, f);
    r = mxvct(forth, r);
    v = mxvct(forth, v);
    if (to == kFrameEarthFixed) v = rotatingVelocity(r, v, 1.0);
    x = r[0], y = r[1], z = r[2];
    vx = v[0], vy = v[1], vz = v[2];
}

void vsGetState(StateVector& s, const WinpData* in)
{
    const int p = in->prime;
    s.mjd = in->elepoch[p];
    s.frame = in->svframe;
    for (unsigned k = 0; k < 3; ++k) {
        s.r[k] = in->svpos[k][p] / kMetresPerKm;
        s.v[k] = in->svvel[k][p] / kMetresPerKm;
    }
    vsRefState(kFrameMeanOfDate, s.frame, s.mjd, s.r[0], s.r[1], s.r[2], s.v[0], s.v[1], s.v[2],
               in);
    s.f107 = in->scf107[p];
    s.f107avg = in->scf107avg[p];
    s.kp = in->sckp[p];
    s.areamass = in->scam[p];
    s.cd = in->sccd[p];
    s.cr = in->sccr[p];
    s.reset = false;
}

void vsPutState(const StateVector& s, WinpData* in)
{
    const int p = in->prime;
    in->svframe = s.frame;
    in->scf107[p] = s.f107;
    in->scf107avg[p] = s.f107avg;
    in->sckp[p] = s.kp;
    in->scam[p] = s.areamass;
    in->sccd[p] = s.cd;
    in->sccr[p] = s.cr;
    if (!s.reset) return;
    Vec3 r = s.r, v = s.v;
    vsRefState(s.frame, kFrameMeanOfDate, s.mjd, r[0], r[1], r[2], v[0], v[1], v[2], in);
    in->elepoch[p] = in->stmjd[p] = s.mjd;
    for (unsigned k = 0; k < 3; ++k) {
        in->svpos[k][p] = in->stpos[k][p] = r[k] * kMetresPerKm;
        in->svvel[k][p] = in->stvel[k][p] = v[k] * kMetresPerKm;
    }
    in->sgpslot = kNoSgpSlot;
}

void ElementsToState(const OrbitElements& e, Vec3& r, Vec3& v)
{
    // Open orbits are shown at perigee (mean anomaly 0); a parabola takes its perigee distance.
    const double a = e.ecc == 1.0 ? e.mm : e.sma;
    const double m = e.ecc < 1.0 ? e.manom : 0.0;
    kepler(kGmJgm3KmDay, 0.0, 0.0, m, a, e.ecc, e.node, e.argp, e.incl, r, v);
    v /= kSecondsPerDay;
}

OrbitElements StateToElements(double mjd, const Vec3& r, const Vec3& v, double& tp)
{
    OrbitElements e;
    oscelm(kGmJgm3KmDay, mjd, r, v * kSecondsPerDay, tp, e.manom, e.sma, e.ecc, e.node, e.argp, e.incl);
    if (e.ecc < 1.0) {
        e.mm = getn0(e.sma, e.ecc, e.incl);
    } else {
        e.mm = e.ecc == 1.0 ? e.sma : e.sma * (1.0 - e.ecc);  // perigee distance q
        e.manom = 0.0;
    }
    return e;
}

void vsCkHyp(const Vec3& r, const Vec3& v, double& ecc, double& perigee)
{
    double tp = 0;
    const OrbitElements e = StateToElements(0.0, r, v, tp);
    ecc = e.ecc;
    perigee = e.ecc < 1.0 ? e.sma * (1.0 - e.ecc) - kEarthRadiusKm : e.mm;
}

void cvSGP4(double mjd, OrbitElements& e, const WinpData* in)
{
    if (e.ecc >= 1.0) return;  // SGP4 has no open orbits
    Vec3 r, v;
    ElementsToState(e, r, v);
    const Mat3 f = Sgp4Frame(in, mjd);
    rv2el(mxvct(f, r * kMetresPerKm), mxvct(f, v * kMetresPerKm), e.incl, e.node, e.ecc, e.argp,
          e.manom, e.mm);
    e.sma = getsax(1, e.mm, e.ecc, e.incl);
}

void vsGetAdj(bool& activate, bool& sdp4, double& n0, double& dt, double& dnode, int& wgs84,
              const WinpData* in)
{
    activate = in->adjread;
    sdp4 = in->sgpmode;
    n0 = in->adjmm;
    dt = in->adjdt;
    dnode = in->adjnode;
    wgs84 = in->gravflg;
}

void vsPutAdj(bool activate, bool sdp4, double n0, double dt, double dnode, int wgs84,
              WinpData* in)
{
    in->adjread = activate;
    in->sgpmode = sdp4;
    in->adjmm = n0;
    in->adjdt = dt;
    in->adjnode = dnode;
    in->gravflg = wgs84;
    in->sgpslot = kNoSgpSlot;  // the constants may have changed
}

void EpochYearDay(double mjd, int& year, double& day)
{
    int d = 0, m = 0;
    double hour = 0;
    caldat(mjd, d, m, year, hour);
    day = mjd - EpochMjd(year, 0.0);
}

double EpochMjd(int year, double day) { return ::mjd(1, 1, year, 0.0) - 1.0 + day; }

void vsNewSat(WinpData* in, int slot)
{
    in->satno[slot] = 0;
    in->elsetno[slot] = 0;
    in->elrevno[slot] = 0;
    blank(in->satname[slot]);
    blank(in->intldsn[slot]);
    in->sgp4flg[slot] = in->numflg[slot] = 0;
    in->elepoch[slot] = RT_MJD(in);
    for (double* el : {in->elsma, in->elnode, in->elargp, in->elincl, in->elecc, in->elmanom,
                       in->elmm, in->eladot, in->elndot, in->elnddot, in->elbstar})
        el[slot] = 0.0;
    // Spacecraft defaults and a cleared manoeuvre come with the epoch state, which an orbit of
    // zero size does not have: its state stays zero.
    EpochState(in, slot, true);
    for (int k = 0; k < 3; ++k)
        in->svpos[k][slot] = in->svvel[k][slot] = in->stpos[k][slot] = in->stvel[k][slot] = 0.0;
    in->stmjd[slot] = in->elepoch[slot];
}
