#include "core/statefault.h"

#include <cmath>

namespace {
// True when the elements of slot can describe an orbit.
bool usableElements(const WinpData* in, int slot)
{
    const double e = in->elecc[slot], n = in->elmm[slot];
    const bool orbit = e >= 0.0 && e < 1.0 && (n > 0.0 || !in->sgp4flg[slot]);
    return orbit && std::isfinite(n) && std::isfinite(in->elbstar[slot]) && std::isfinite(in->elepoch[slot]) &&
           std::isfinite(in->elincl[slot]) && std::isfinite(in->elnode[slot]) && std::isfinite(in->elargp[slot]) &&
           std::isfinite(in->elmanom[slot]);
}

// True when the row of slot holds finite numbers.
bool finiteRow(const SatPosData* sp, int slot)
{
    return std::isfinite(sp->lat[slot]) && std::isfinite(sp->lon[slot]) && std::isfinite(sp->height[slot]) &&
           std::isfinite(sp->azim[slot]) && std::isfinite(sp->elev[slot]) && std::isfinite(sp->range[slot]) &&
           std::isfinite(sp->rrate[slot]);
}
}  // namespace

StateFault SlotFault(const WinpData* in, const SatPosData* sp, int slot)
{
    if (slot < 0 || slot >= kMaxSat || !usableElements(in, slot) || !finiteRow(sp, slot))
        return StateFault::kInvalidElements;
    return sp->height[slot] < 0.0 ? StateFault::kDecayed : StateFault::kNone;
}

const char* FaultText(StateFault fault)
{
    switch (fault) {
    case StateFault::kDecayed:
        return "decayed";
    case StateFault::kInvalidElements:
        return "invalid elements";
    default:
        return "";
    }
}
