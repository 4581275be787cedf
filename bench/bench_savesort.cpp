// Sorting the all-satellite save file, which runs alone after the threaded search: 800 000 pass
// lines (about what 200 000 element sets give over one day) in the order the search writes them.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "astro/timescales.h"
#include "bench_files.h"
#include "core/records.h"
#include "core/safewrite.h"
#include "core/savesort.h"
#include "core/textpage.h"

namespace {
// Pass lines of the save file, and passes of one satellite (a group between blank lines).
constexpr int kSaveLines = 800000;
constexpr int kPassesPerSatellite = 4;

// Writes a save file of lines pass lines over 22 Feb 2026: per satellite a blank line and its
// passes, which start at random instants of the day. Returns false when it cannot be written.
bool writeUnsorted(const std::string& path, int lines)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!f) return false;
    std::fputs("Geographic Location: Bench\n Year: 2026  +++ Timezone: 0 +++ \n", f.get());
    std::mt19937 rng(19);
    std::uniform_real_distribution<double> day(mjd(22, 2, 2026, 0.0), mjd(23, 2, 2026, 0.0));
    char start[kAosTextBytes], end[kAosTextBytes];
    for (int k = 0; k < lines; ++k) {
        if (k % kPassesPerSatellite == 0) std::fputs("\n", f.get());
        const double t = day(rng);
        aosstr(t, 120.0, 10.0, start, 0);
        aosstr(t + 0.005, 240.0, 10.0, end, 1);
        std::fprintf(f.get(), "%s%s%s   GEN %d\n", start, end, end, 100000 + k / kPassesPerSatellite);
    }
    return std::ferror(f.get()) == 0;
}

// SortAos over a fresh copy of the unsorted file in each iteration.
void BM_SortAos(benchmark::State& state)
{
    const std::string unsorted = BundledFile("unsorted_passes.txt"), save = BundledFile("sorted_passes.txt");
    if (!writeUnsorted(unsorted, kSaveLines)) {
        state.SkipWithError("cannot write the save file");
        return;
    }
    auto in = std::make_unique<WinpData>();
    in->year = 2026;
    std::snprintf(in->savename, sizeof in->savename, "%s", save.c_str());
    for (auto _ : state) {
        state.PauseTiming();
        CopyFile(unsorted.c_str(), save.c_str());
        state.ResumeTiming();
        benchmark::DoNotOptimize(SortAos(in.get()));
    }
    std::remove(unsorted.c_str());
    std::remove(save.c_str());
}
BENCHMARK(BM_SortAos)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
}  // namespace
