// The whole-catalogue pass search: the look-angle-only evaluation and the threaded search must
// give exactly what the full satellite state gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "astro/twobody.h"
#include "core/cataloguesearch.h"
#include "core/passsearch.h"
#include "core/satstate.h"
#include "core/tlesave.h"
#include "pass_reference.h"

namespace {
const std::string kVisual = std::string(ORBIKA_DATA_DIR) + "/tle/visual.txt";
const std::string kIridium = std::string(ORBIKA_DATA_DIR) + "/tle/IRIDIUM.TXT";

// The passes as text with every digit of every number, for exact comparison.
std::string exactText(const std::vector<PassEvent>& passes)
{
    std::string text;
    char cell[64];
    for (const PassEvent& p : passes) {
        for (int k = 0; k < 3; ++k) {
            std::snprintf(cell, sizeof cell, "%a %a %a ", p.tm[k], p.el[k], p.az[k]);
            text += cell;
        }
        text += '\n';
    }
    return text;
}

// A file with the bundled satellites and a state vector of a low orbit at 51.6 deg, whose
// passes come from the numerical propagation.
void writeCatalogue(const std::string& path)
{
    auto in = IssSettings();
    Vec3 r, v;
    kepler(398600.4415, 0.0, 0.0, 50.0, 6790.0, 0.001, 120.0, 40.0, 51.6, r, v);
    in->numflg[0] = 1;
    in->sgp4flg[0] = 0;
    for (unsigned k = 0; k < 3; ++k) {
        in->svpos[k][0] = 1000.0 * r[k];
        in->svvel[k][0] = 1000.0 * v[k];
    }
    std::snprintf(in->satname[0], sizeof in->satname[0], "STATE VECTOR TEST");
    std::snprintf(in->tlesave, sizeof in->tlesave, "%s", path.c_str());
    in->tlesvnmset = 1;
    ASSERT_EQ(SaveTle(in.get()), 0);
    std::ofstream(path, std::ios::app) << readFile(kVisual) << readFile(kIridium);
}
// The save file of a whole-catalogue search of in's TLE file by threads workers.
std::string searchedFile(WinpData* in, SatPosData* sp, int threads, SearchProgress* progress = nullptr)
{
    std::snprintf(in->savename, sizeof in->savename, "all%d.txt", threads);
    in->savenew = 1;
    EXPECT_EQ(AllSatAos(in, sp, nullptr, threads, progress), kAllSatDone);
    EXPECT_EQ(in->nsat, 0);
    return readFile(in->savename);
}
}  // namespace

TEST(CatalogueSearch, LookAnglesAlonePassesEqualTheFullStateSearch)
{
    // The Sun never reaches 65 deg at 48.1 N: look angles alone equal the full state, with and without IERS.
    auto lean = SiteASettings(), full = std::make_unique<WinpData>();
    auto sp = stateRecord();
    lean->visonly = 0;
    lean->nsat = 1;
    std::tie(lean->ut1utc, lean->polex, lean->poley) = std::make_tuple(0.08, 0.1, 0.3);
    int satellites = 0, passes = 0;
    for (const bool iers : {false, true}) {
        lean->minsatelev = iers ? -5.0 : 10.0;
        lean->iersflg = lean->refract = iers;
        const double t0 = ListStartMjd(lean.get());
        forEachElementSet(lean.get(), kVisual, [&]() {
            lean->maxsunelev = 90.0;
            *full = *lean;
            full->maxsunelev = 65.0;
            ASSERT_TRUE(HorizonOnly(lean.get(), 0) && !HorizonOnly(full.get(), 0));
            const std::vector<PassEvent> a = FindPasses(lean.get(), 0, t0, t0 + 1.0, sp.get());
            EXPECT_EQ(exactText(a), exactText(FindPasses(full.get(), 0, t0, t0 + 1.0, sp.get())))
                << lean->satno[0] << (iers ? " with IERS values" : "");
            ++satellites;
            passes += static_cast<int>(a.size());
        });
    }
    EXPECT_EQ(satellites, 2 * 149);
    EXPECT_GT(passes, 1000);
}

TEST(CatalogueSearch, ThreadedSearchWritesTheSameFileForAnyCatalogueSize)
{
    // Bundled entries beyond one batch, each counted; then with a state vector, geometric and visible.
    ScopedTempDir tmp;
    auto in = SiteASettings();
    auto sp = stateRecord();
    const auto sameForEveryThreadCount = [&](long entries) {
        std::string single;
        for (const int threads : {1, 2, 5}) {
            SearchProgress progress;
            const std::string file = searchedFile(in.get(), sp.get(), threads, &progress);
            if (threads == 1) single = file;
            EXPECT_EQ(file, single) << threads;
            EXPECT_TRUE(entries == 0 || progress.done.load() == entries) << threads;
        }
        return single;
    };
    const std::string visual = readFile(kVisual);
    const long perCopy = std::count(visual.begin(), visual.end(), '\n') / 3;
    const int copies = 4200 / static_cast<int>(perCopy) + 1;
    std::ofstream big("big.tle");
    for (int k = 0; k < copies; ++k) big << visual;
    big.close();
    std::snprintf(in->tlefile, sizeof in->tlefile, "big.tle");
    in->duration = 0.05;
    EXPECT_GT(splitLines(sameForEveryThreadCount(copies * perCopy)).size(), static_cast<size_t>(copies));
    writeCatalogue("catalogue.tle");
    std::snprintf(in->tlefile, sizeof in->tlefile, "catalogue.tle");
    in->duration = 1.0;
    for (const bool visible : {false, true}) {
        in->maxsunelev = visible ? -6.0 : 90.0;
        in->visonly = visible;
        const std::string single = sameForEveryThreadCount(0);
        EXPECT_GT(splitLines(single).size(), visible ? 20u : 400u);
        EXPECT_TRUE(visible || single.find("   STATE VECTOR TEST\n") != std::string::npos);
    }
}

TEST(CatalogueSearch, CancelledSearchLeavesTheSaveFileAsItWas)
{
    ScopedTempDir tmp;
    auto in = SiteASettings();
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", kVisual.c_str());
    std::snprintf(in->savename, sizeof in->savename, "old.txt");
    auto sp = stateRecord();
    const std::string old = "Geographic Location: earlier list\nJan 01  00:00:00 a line\n";
    std::ofstream("old.txt") << old;
    SearchProgress progress;
    progress.cancel = true;
    for (const int threads : {1, 2})
        for (const int savenew : {0, 1}) {
            in->savenew = savenew;
            EXPECT_EQ(AllSatAos(in.get(), sp.get(), nullptr, threads, &progress), kAllSatCancelled);
            EXPECT_EQ(readFile("old.txt"), old) << threads << savenew;
            EXPECT_EQ(in->savenew, savenew);
        }
    in->nsat = 0;
    EXPECT_EQ(Nxt4Pass(in.get(), sp.get(), &progress), kAllSatCancelled);
    EXPECT_EQ(in->nsat, 0);
}
