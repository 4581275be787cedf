// Cost of the satellite state at one instant and of the pass searches built on it.
#include <benchmark/benchmark.h>

#include <filesystem>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench_files.h"
#include "core/cataloguesearch.h"
#include "core/defaults.h"
#include "core/passpage.h"
#include "core/records.h"
#include "core/satstate.h"
#include "core/tlefields.h"
#include "tests/test_site.h"

namespace {
// ISS elements of 2026 February 21 and a site at 48.1 N, 11.6 E, 500 m.
constexpr const char* kIssLine1 = "1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  9990";
constexpr const char* kIssLine2 = "2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866";
constexpr double kStartMjd = 61093.0;  // 2026-02-22 00:00 UTC
// Time step between state evaluations, days (a little over 7 s, so no two calls repeat).
constexpr double kStateStep = 8.3e-5;
constexpr double kStateSpan = 3.0;

// Settings at the site from 2026-02-22 00:00 UTC. allPasses: no Sun or visibility condition
// (every pass above 10 degrees); otherwise the program defaults (visible passes, Sun below -6).
std::unique_ptr<WinpData> settings(bool allPasses)
{
    auto in = SiteASettings();
    if (allPasses) {
        in->maxsunelev = 90.0;
        in->visonly = 0;
    }
    return in;
}

std::unique_ptr<WinpData> issSettings(bool allPasses)
{
    auto in = settings(allPasses);
    TleFields tle{};
    ParseTleLine1(kIssLine1, tle);
    ParseTleLine2(kIssLine2, tle);
    StoreTle(in.get(), 0, tle);
    std::snprintf(in->satname[0], sizeof in->satname[0], "ISS (ZARYA)");
    in->nsat = 1;
    in->sgpslot = kNoSgpSlot;
    return in;
}

void stateAtInstants(benchmark::State& state, int full)
{
    auto in = issSettings(true);
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    double t = kStartMjd;
    for (auto _ : state) {
        GetSatPos(t, in.get(), sp.get(), 0, full);
        benchmark::DoNotOptimize(sp->elev[0]);
        t += kStateStep;
        if (t > kStartMjd + kStateSpan) t = kStartMjd;
    }
}

void BM_GetSatPosBasic(benchmark::State& state) { stateAtInstants(state, 0); }
BENCHMARK(BM_GetSatPosBasic);

void BM_GetSatPosFull(benchmark::State& state) { stateAtInstants(state, 1); }
BENCHMARK(BM_GetSatPosFull);

// Pass list page of the ISS over ten days; argument 1: every pass, 0: visible passes only.
void BM_AosPassIssTenDays(benchmark::State& state)
{
    auto in = issSettings(state.range(0) != 0);
    in->duration = 10.0;
    auto out = std::make_unique<WoutData>();
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    for (auto _ : state) {
        aospass(in.get(), out.get(), sp.get());
        benchmark::DoNotOptimize(in->npass);
    }
    state.counters["passes"] = in->npass;
}
BENCHMARK(BM_AosPassIssTenDays)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Passes of every satellite of visual.txt over three days into a save file in a temporary
// directory; the counter gives the time per satellite. Argument as for BM_AosPassIssTenDays.
void BM_AllSatAosThreeDays(benchmark::State& state)
{
    auto in = settings(state.range(0) != 0);
    in->duration = 3.0;
    const std::string tle = BundledFile("visual.txt");
    std::FILE* f = std::fopen(tle.c_str(), "r");
    if (!f) {
        state.SkipWithError("visual.txt not found next to the benchmark program");
        return;
    }
    int satellites = 0;
    for (char line[128]; std::fgets(line, sizeof line, f);) satellites += line[0] == '1' && line[1] == ' ';
    std::fclose(f);
    std::string dir = (std::filesystem::temp_directory_path() / "orbika-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) {
        state.SkipWithError("no temporary directory");
        return;
    }
    char* const previous = getcwd(nullptr, 0);
    if (chdir(dir.c_str()) != 0) state.SkipWithError("cannot enter the temporary directory");
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", tle.c_str());
    std::snprintf(in->savename, sizeof in->savename, "%s/satsave.txt", dir.c_str());
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    for (auto _ : state) {
        in->savenew = 1;
        benchmark::DoNotOptimize(AllSatAos(in.get(), sp.get()));
    }
    state.counters["satellites"] = satellites;
    state.counters["per_satellite"] =
        benchmark::Counter(satellites, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    if (previous && chdir(previous) != 0) state.SkipWithError("cannot return to the working directory");
    std::free(previous);
    std::remove(in->savename);
    rmdir(dir.c_str());
}
BENCHMARK(BM_AllSatAosThreeDays)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
}  // namespace
