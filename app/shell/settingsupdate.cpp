#include "settingsupdate.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/tlefile.h"

namespace {

// Step used when both parts of the time step are 0, seconds.
constexpr double kMinStepSec = 0.1;
constexpr double kMinPerDay = 1440.0;
constexpr double kSecPerDay = 86400.0;

}  // namespace

void SelectPrime(WinpData* in, int n)
{
    if (n > in->nsat)
        return;
    in->prime = std::max(n - 1, 0);
}

void RemoveSats(WinpData* in, const bool marks[kMaxSat])
{
    for (int i = std::min(in->nsat, kMaxSat) - 1; i >= 0; --i) {
        if (!marks[i])
            continue;
        if (i <= in->prime)
            in->prime = std::max(in->prime - 1, 0);
        --in->nsat;
        for (int k = i; k < in->nsat; ++k)
            ShiftElm(in, k, k + 1);
        in->satremoved = 1;
    }
    in->prime = std::max(std::min(in->prime, in->nsat - 1), 0);
}

void SetTimeStep(WinpData* in, int minutes, double seconds)
{
    in->stepmin = std::abs(minutes);
    in->stepsec = std::fabs(seconds);
    if (in->stepmin == 0 && in->stepsec == 0)
        in->stepsec = kMinStepSec;
    in->tstep = in->stepmin / kMinPerDay + in->stepsec / kSecPerDay;
}
