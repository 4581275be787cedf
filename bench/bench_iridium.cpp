// Cost of the Iridium flare search over the bundled element file.
#include <benchmark/benchmark.h>

#include <filesystem>

#include <cstdio>
#include <memory>
#include <string>

#include "bench_files.h"
#include "core/cataloguesearch.h"
#include "core/defaults.h"
#include "core/iridium.h"
#include "core/records.h"

namespace {
// Flares of every satellite of IRIDIUM.TXT over three days from 2014-06-21 00:00 UTC at
// 48.1 N, 11.6 E, 500 m, written to a save file in /tmp and made into the flare page.
// Argument 1: with solar panel flares.
void BM_IridiumFlaresThreeDays(benchmark::State& state)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    in->obslat = 48.1;
    in->obslon = 11.6;
    in->obshgt = 500.0;
    in->systzflg = 0;
    in->timezone = 0.0;
    in->day = 21;
    in->month = 6;
    in->year = 2014;
    in->hour = in->minute = in->second = 0;
    in->duration = 3.0;
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", BundledFile("IRIDIUM.TXT").c_str());
    const std::string save = (std::filesystem::temp_directory_path() / "orbika-bench-flares.txt").string();
    std::snprintf(in->savename, sizeof in->savename, "%s", save.c_str());
    SetIridiumSearch(in.get());
    in->irpanel = state.range(0) != 0;
    auto sp = std::make_unique<SatPosData>();
    auto out = std::make_unique<WoutData>();
    SetDefaults(sp.get());
    for (auto _ : state) {
        in->savenew = 1;
        in->nsat = 0;
        if (AllSatAos(in.get(), sp.get()) != 0) {
            state.SkipWithError("IRIDIUM.TXT not found next to the benchmark program");
            break;
        }
        Iriddspy(in.get(), out.get());
    }
    int flares = 0;
    for (int k = 0; k < out->nlines; ++k) flares += out->lines[k][kTagByte] == kLineTag;
    state.counters["flares"] = flares;
    std::remove(in->savename);
}
BENCHMARK(BM_IridiumFlaresThreeDays)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
}  // namespace
