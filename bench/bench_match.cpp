// Cost of a satellite match over the bundled visual.txt.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench_files.h"
#include "core/defaults.h"
#include "core/match.h"
#include "core/records.h"

namespace {
// An evening of 2026 February 22 (MJD, UT) at 48.1 N, 11.6 E, 500 m.
constexpr double kObservationMjd = 61093.75;

// A match within 2 degrees and +/-10 minutes of a point 45 degrees high in the south (argument
// 0), the same with the direction test (1), or of a point given as R.A. and Dec. (2). Every
// satellite above the horizon is stepped through its pass.
void BM_SatMatchVisualTenMinutes(benchmark::State& state)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    in->obslat = 48.1;
    in->obslon = 11.6;
    in->obshgt = 500.0;
    in->mjd = kObservationMjd;
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", BundledFile("visual.txt").c_str());
    const bool radec = state.range(0) == 2;
    in->occra = radec ? 6.3 : 180.0;
    in->occdec = radec ? 20.0 : 45.0;
    in->occradec = radec ? 1 : 0;
    in->mtcdist = 2.0;
    in->mtcwin = 10.0;
    in->mtcdirflg = state.range(0) == 1 ? 1 : 0;
    in->mtcdir = 90.0;
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    MatchResult r;
    for (auto _ : state) {
        in->nsat = 0;
        r = FindMatches(in.get(), sp.get());
    }
    if (!r.opened) state.SkipWithError("visual.txt not found next to the benchmark program");
    state.counters["checked"] = static_cast<double>(r.checked);
    state.counters["matches"] = static_cast<double>(r.found.size());
}
BENCHMARK(BM_SatMatchVisualTenMinutes)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
}  // namespace
