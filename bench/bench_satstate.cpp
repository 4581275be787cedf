// Cost of one satellite state computation (ISS-like orbit through SGP4), without and with
// the footprint circle.
#include <benchmark/benchmark.h>

#include <memory>

#include "core/satstate.h"
#include "tests/iss_settings.h"

namespace {
// Element epoch region and step between instants (days; 7.3 s), so every call propagates anew.
constexpr double kStart = 61093.0;
constexpr double kStep = 8.5e-5;

void BM_GetSatPos(benchmark::State& state)
{
    auto in = IssSettings();
    auto sp = std::make_unique<SatPosData>();
    in->charlen = 20.0;
    const int full = static_cast<int>(state.range(0));
    double t = kStart;
    for (auto _ : state) {
        GetSatPos(t, in.get(), sp.get(), 0, full);
        benchmark::DoNotOptimize(sp->elev[0]);
        t += kStep;
    }
}
BENCHMARK(BM_GetSatPos)->Arg(0)->Arg(1);
}  // namespace
