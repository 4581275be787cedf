// Whole-catalogue pass search: every geometric pass above 10 deg from 52.5 N of 200 000 element
// sets over one day, and of 20 000 over 14 days; 2000 over one day on one thread is the quick
// figure to compare changes with (and to profile). The catalogues (the bundled files plus generated
// orbits) are written next to the benchmark program the first time they are needed.
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
#include "tests/test_site.h"

namespace {
// Catalogue sizes and search spans (days) of the two whole-sky figures; the site's latitude (deg)
// and the least elevation (deg) of a listed pass.
constexpr int kLargeCatalogue = 200000;
constexpr int kSmallCatalogue = 20000;
constexpr int kQuickCatalogue = 2000;
constexpr int kOneDay = 1;
constexpr int kTwoWeeks = 14;
constexpr double kSiteLatitude = 52.5;
constexpr double kMinElevation = 10.0;

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

// Geometric passes (no Sun or visibility condition) over days from 52.5 N, 11.6 E, 500 m,
// starting 2026-02-22 00:00 UTC.
std::unique_ptr<WinpData> catalogueSettings(const std::string& tle, const std::string& save, int days)
{
    auto in = SiteASettings(kSiteLatitude);
    in->duration = days;
    in->minsatelev = kMinElevation;
    in->maxsunelev = 90.0;
    in->visonly = 0;
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", tle.c_str());
    std::snprintf(in->savename, sizeof in->savename, "%s", save.c_str());
    return in;
}

// AllSatAos over the catalogue of state.range(0) entries for state.range(1) days by
// state.range(2) threads.
void BM_AllSatAosCatalogue(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string tle = catalogue(count);
    if (tle.empty()) {
        state.SkipWithError("cannot generate the catalogue (python3 needed)");
        return;
    }
    const std::string save = BundledFile("catalogue_passes.txt");
    auto in = catalogueSettings(tle, save, static_cast<int>(state.range(1)));
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    for (auto _ : state) {
        in->savenew = 1;
        benchmark::DoNotOptimize(AllSatAos(in.get(), sp.get(), nullptr, static_cast<int>(state.range(2))));
    }
    state.counters["satellites"] = count;
    std::remove(save.c_str());
}
BENCHMARK(BM_AllSatAosCatalogue)
    ->Args({kQuickCatalogue, kOneDay, 1})
    ->Args({kLargeCatalogue, kOneDay, 1})
    ->Args({kLargeCatalogue, kOneDay, 2})
    ->Args({kSmallCatalogue, kTwoWeeks, 2})
    ->Unit(benchmark::kSecond)
    ->Iterations(1)
    ->UseRealTime();
}  // namespace
