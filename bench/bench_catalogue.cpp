// Whole-catalogue pass search: every geometric pass of 20 000 element sets over one day from
// one site. The catalogue (the bundled files plus generated orbits) is written next to the
// benchmark program the first time it is needed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "bench_files.h"
#include "core/cataloguesearch.h"
#include "core/defaults.h"
#include "core/records.h"
#include "tests/site_settings.h"

namespace {
constexpr int kCatalogueSize = 20000;

// Path of the generated catalogue of count entries; empty when it cannot be written.
std::string catalogue(int count)
{
    const std::string path = BundledFile("catalogue_" + std::to_string(count) + ".txt");
    if (std::ifstream(path)) return path;
    const std::string command = "python3 '" + BundledFile("gen_catalogue.py") + "' '" + path + "' " +
                                std::to_string(count) + " '" + BundledFile("visual.txt") + "' '" +
                                BundledFile("IRIDIUM.TXT") + "'";
    return std::system(command.c_str()) == 0 ? path : std::string();
}

// Geometric passes (no Sun or visibility condition) over one day from 48.1 N, 11.6 E, 500 m,
// starting 2026-02-22 00:00 UTC.
std::unique_ptr<WinpData> catalogueSettings(const std::string& tle, const std::string& save)
{
    auto in = SiteASettings();
    in->duration = 1.0;
    in->maxsunelev = 90.0;
    in->visonly = 0;
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", tle.c_str());
    std::snprintf(in->savename, sizeof in->savename, "%s", save.c_str());
    return in;
}

// AllSatAos over the catalogue of state.range(0) entries by state.range(1) threads.
void BM_AllSatAosCatalogue(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string tle = catalogue(count);
    if (tle.empty()) {
        state.SkipWithError("cannot generate the catalogue (python3 needed)");
        return;
    }
    const std::string save = BundledFile("catalogue_passes.txt");
    auto in = catalogueSettings(tle, save);
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    for (auto _ : state) {
        in->savenew = 1;
        benchmark::DoNotOptimize(AllSatAos(in.get(), sp.get(), nullptr, static_cast<int>(state.range(1))));
    }
    state.counters["satellites"] = count;
    std::remove(save.c_str());
}
BENCHMARK(BM_AllSatAosCatalogue)
    ->Args({kCatalogueSize, 1})
    ->Args({kCatalogueSize, 2})
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
}  // namespace
