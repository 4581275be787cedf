// Map drawing speed on offscreen pixmaps: one real-time plot step of ten satellites with
// footprints on the physical world map, and one full refresh of the sky map with all stars.
#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>

#include "app/glue/selectionglue.h"
#include "core/defaults.h"
#include "core/records.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "orbikaview.h"

namespace {

// Settings at their defaults with the first ten satellites of the bundled visual TLE file.
void selectTen()
{
    SetDefaults(indata);
    std::snprintf(indata->tlefile, sizeof indata->tlefile, "%s", ORBIKA_DATA_DIR "/tle/visual.txt");
    indata->mapwidth = 860;
    indata->mapheight = 501;
    ElementReader reader(indata->tlefile);
    if (!reader.isOpen())
        return;
    satfle = &reader;
    vsResetSatList();
    QString key = QStringLiteral("*");
    for (int i = 0; i < kMaxSat; ++i) {
        int n = 0;
        vsFindSat(key, n, 0, 0, 0);
        if (n == 0)
            break;
        vsSatSel();
    }
    satfle = nullptr;
}

void BM_RealTimeTickWorldImage(benchmark::State& state)
{
    OrbikaView view(nullptr);
    selectTen();
    indata->maptype = 3;
    indata->mapimgok = true;
    indata->daynight = 0;
    indata->skymap = 0;
    view.vRefresh();
    for (auto _ : state)
        view.SatPlot(RT_MJD(indata), 1);
    state.counters["satellites"] = indata->nsat;
}
BENCHMARK(BM_RealTimeTickWorldImage)->Unit(benchmark::kMillisecond);

void BM_SkyMapRefresh(benchmark::State& state)
{
    OrbikaView view(nullptr);
    selectTen();
    indata->skymap = 1;
    indata->skyproj = 0;
    indata->mjd = RT_MJD(indata);
    for (auto _ : state)
        view.vRefresh();
}
BENCHMARK(BM_SkyMapRefresh)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
