// orbika-cli track: the orbit track of the prime satellite as the save file receives it.
#include <cmath>
#include <cstdio>
#include <memory>

#include "commands.h"
#include "core/passdetails.h"
#include "core/records.h"
#include "foundation/units.h"
#include "options.h"
#include "output.h"

namespace {
using time_units::kSecondsPerDay;
using time_units::kSecondsPerMinute;
constexpr double kDefaultStep = 60.0;
// Steps, seconds, and the most lines a track may have.
constexpr double kMinStep = 0.01;
constexpr double kMaxStep = kSecondsPerDay;
constexpr double kMaxLines = 2.0e6;
}  // namespace

int runTrack(int argc, char** argv)
{
    CommonOptions o;
    if (!parseCommon("track", argc, argv, {"--step"}, o)) return kExitUsage;
    double step = kDefaultStep;
    if (o.extra.count("--step") && !readNumber("track", "--step", o.extra["--step"].c_str(), kMinStep, kMaxStep, step))
        return kExitUsage;
    auto in = std::make_unique<WinpData>();
    const int status = prepareSettings("track", o, true, in.get());
    if (status != kExitOk) return status;
    if (in->duration * kSecondsPerDay / step > kMaxLines) {
        complain("track: more than %.0f lines; take a longer --step or fewer --days", kMaxLines);
        return kExitUsage;
    }
    in->stepmin = static_cast<int>(std::floor(step / kSecondsPerMinute));
    in->stepsec = step - in->stepmin * kSecondsPerMinute;
    in->tstep = step / kSecondsPerDay;
    auto sp = std::make_unique<SatPosData>();
    std::fflush(stdout);
    WriteOrbitTrack(in.get(), stdout, sp.get());
    return kExitOk;
}
