#include "core/satsgp4.h"

#include <algorithm>

#include "foundation/units.h"
#include "propagation/sgp4.h"

namespace {

using angle_units::kDegToRad;
using angle_units::kTwoPi;
using time_units::kMinutesPerDay;

// MJD of the origin of the propagator's epoch (MJD = JD - 2400000.5).
constexpr double kSgp4EpochMjd = kSgp4EpochJd - 2400000.5;
// Smallest eccentricity handed to the propagator.
constexpr double kMinEcc = 1.0e-8;
// Mean motion (rad/min) used when the element set has none.
constexpr double kZeroMeanMotion = 1.0;
// Returned for a slot outside the record.
constexpr int kBadSlot = -1;

// Harmless state reported after a failed propagation: deep inside the Earth.
void dummystate(Vec3& r, Vec3& v)
{
    r.assign(100.0, 0.0, 0.0);
    v.assign(0.0, 10.0, 0.0);
}

// Initialises satrec with the elements of slot; returns the propagator's error code.
int initslot(const WinpData* in, int slot, gravconsttype grav)
{
    const double n = kTwoPi * in->elmm[slot] / kMinutesPerDay;
    return sgp4init(grav, in->sgpmode, in->elepoch[slot] - kSgp4EpochMjd, in->elbstar[slot],
                    std::max(in->elecc[slot], kMinEcc), in->elargp[slot] * kDegToRad,
                    in->elincl[slot] * kDegToRad, in->elmanom[slot] * kDegToRad,
                    n == 0.0 ? kZeroMeanMotion : n, in->elnode[slot] * kDegToRad, satrec);
}

// Key of the thread's SGP4 record: the settings record and slot whose elements it holds. It
// stays valid while that record's sgpslot names the slot, so neither another record nor another
// slot's initialisation can leave stale elements in use.
struct Sgp4Key {
    const WinpData* in = nullptr;
    int slot = kNoSgpSlot;
};
thread_local Sgp4Key loaded;

// Makes satrec hold the elements of slot of in. An initialisation that reports an error leaves
// the key invalid, so it is tried again next time.
void load(WinpData* in, int slot, gravconsttype grav)
{
    if (loaded.in == in && loaded.slot == slot && in->sgpslot == slot) return;
    const bool ok = initslot(in, slot, grav) == 0;
    loaded = ok ? Sgp4Key{in, slot} : Sgp4Key{};
    in->sgpslot = ok ? slot : kNoSgpSlot;
}

}  // namespace

int Sgp4(WinpData* in, double dt, int slot, Vec3& r, Vec3& v)
{
    if (slot < 0 || slot >= kSlots) {
        dummystate(r, v);
        return kBadSlot;
    }
    const gravconsttype grav = in->gravflg ? wgs84 : wgs72;
    load(in, slot, grav);
    double rk[3], vk[3];
    const int error = sgp4(grav, satrec, dt * kMinutesPerDay, rk, vk);
    if (error != 0) {
        dummystate(r, v);
        return error;
    }
    r.assign(rk[0], rk[1], rk[2]);
    v.assign(vk[0], vk[1], vk[2]);
    return 0;
}
