#include "core/numslot.h"

#include "astro/twobody.h"
#include "core/meanmotion.h"
#include "foundation/units.h"
#include "propagation/forcemodel.h"

namespace {
using length_units::kMetresPerKm;
// Earth's gravitational parameter in km^3/s^2 for the osculating elements.
constexpr double kEarthGMkm = kEarthGM * 1e-9;

// The slot's entry of a per-slot vector field (x, y, z arrays).
Vec3 slotVec(const double (&a)[3][kSlots], int slot)
{
    return Vec3(a[0][slot], a[1][slot], a[2][slot]);
}

// Stores v as the slot's entry of a per-slot vector field.
void setSlotVec(double (&a)[3][kSlots], int slot, const Vec3& v)
{
    for (int i = 0; i < 3; ++i) a[i][slot] = v[i];
}

// Replaces the slot's epoch state and elements by the current (osculating) state.
void makeEpochState(WinpData* in, int slot, const Vec3& rkm, const Vec3& vkm)
{
    in->elepoch[slot] = in->stmjd[slot];
    setSlotVec(in->svpos, slot, slotVec(in->stpos, slot));
    setSlotVec(in->svvel, slot, slotVec(in->stvel, slot));
    double tp, m, a, e, node, argp, incl;
    oscelm(kEarthGMkm, 0.0, rkm, vkm, tp, m, a, e, node, argp, incl);
    in->elmanom[slot] = m;
    in->elsma[slot] = a;
    in->elecc[slot] = e;
    in->elnode[slot] = node;
    in->elargp[slot] = argp;
    in->elincl[slot] = incl;
    if (e < 1.0)
        in->elmm[slot] = getn0(a, e, incl);
    else
        in->elmm[slot] = e == 1.0 ? a : a * (1.0 - e);
}
}  // namespace

ForceParams SlotForces(const WinpData* in, int slot)
{
    ForceParams p;
    p.areamass = in->scam[slot];
    p.cd = in->sccd[slot];
    p.cr = in->sccr[slot];
    p.f107 = in->scf107[slot];
    p.f107avg = in->scf107avg[slot];
    p.kp = in->sckp[slot];
    p.thrust = in->thrflg[slot];
    p.thrustSunlit = in->thrsun[slot];
    p.thrustAcc = in->thracc[slot];
    p.thrustYaw = in->thryaw[slot];
    p.thrustPitch = in->thrpitch[slot];
    p.sunPert = in->sunpert;
    p.moonPert = in->moonpert;
    p.liftDrag = in->liftdrag;
    p.iers = in->iersflg;
    p.ut1utc = in->ut1utc;
    p.ttut = in->ttut;
    p.polex = in->polex;
    p.poley = in->poley;
    p.tolerance = in->inttol;
    p.maxIter = in->maxiter;
    return p;
}

ForceContext SlotContext(const WinpData* in, int slot)
{
    ForceContext c{SlotForces(in, slot), in->stmjd[slot], Vec3(), Vec3()};
    UpSunMoon(c, 0.0, c.sun, c.moon);
    return c;
}

void NumPropSlot(double mjd, WinpData* in, int slot, const Vec3& sun, const Vec3& moon, Vec3& r,
                 Vec3& v)
{
    if (slot < 0 || slot >= kSlots) {
        r = v = Vec3();
        return;
    }
    const OrbitState epoch{in->elepoch[slot], slotVec(in->svpos, slot), slotVec(in->svvel, slot)};
    OrbitState state{in->stmjd[slot], slotVec(in->stpos, slot), slotVec(in->stvel, slot)};
    const bool moved = NumProp(mjd, SlotForces(in, slot), epoch, state, sun, moon, in->moondist);
    in->stmjd[slot] = state.mjd;
    setSlotVec(in->stpos, slot, state.r);
    setSlotVec(in->stvel, slot, state.v);
    r = state.r / kMetresPerKm;
    v = state.v / kMetresPerKm;
    if (moved && in->thrupd[slot]) makeEpochState(in, slot, r, v);
}
