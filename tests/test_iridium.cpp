#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/defaults.h"
#include "core/iridium.h"
#include "core/mirror.h"
#include "core/passes.h"
#include "core/satstate.h"
#include "core/tlefile.h"
#include "iss_settings.h"
#include "scoped_env.h"

namespace {
constexpr double kSecond = 1.0 / 86400.0;
const std::string kIridiumFile = std::string(ORBIKA_DATA_DIR) + "/tle/IRIDIUM.TXT";
// IRIDIUM 21 [+]: a front-antenna flare over 48.1 N, 11.6 E, 500 m near 2014-06-22 02:05:39 UTC.
constexpr int kIridium21 = 25778;
constexpr double kFlareMjd = 56830.0 + (2.0 + 5.0 / 60.0 + 39.0 / 3600.0) / 24.0;

// Program defaults at the site above from 2014-06-22 00:00 UTC, TLE file IRIDIUM.TXT, and the
// satellite with catalogue number satno in slot 0 (none for 0).
std::unique_ptr<WinpData> iridiumSettings(int satno)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    in->obslat = 48.1;
    in->obslon = 11.6;
    in->obshgt = 500.0;
    in->systzflg = 0;
    in->timezone = 0.0;
    in->day = 22;
    in->month = 6;
    in->year = 2014;
    in->hour = in->minute = in->second = 0;
    in->duration = 1.0;
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", kIridiumFile.c_str());
    if (satno) {
        std::FILE* f = std::fopen(in->tlefile, "r");
        EXPECT_NE(f, nullptr);
        std::vector<char> text(kTleTextBytes);
        in->srchmode = 1;
        in->satno[kWorkSlot] = satno;
        EXPECT_EQ(tleread(in.get(), f, text.data(), 0), 1);
        in->srchmode = 0;
        std::fclose(f);
        ShiftElm(in.get(), 0, kWorkSlot);
        in->nsat = 1;
    }
    return in;
}

std::unique_ptr<SatPosData> stateRecord()
{
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    return sp;
}

std::string readFile(const std::string& name)
{
    std::ifstream f(name);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

std::vector<std::string> pageLines(const WoutData* out)
{
    std::vector<std::string> lines;
    for (int k = 0; k < out->nlines; ++k) lines.emplace_back(out->lines[k], strnlen(out->lines[k], kTagByte));
    return lines;
}
}  // namespace

TEST(Iridium, OperationalBandMatchesTheStatusTags)
{
    // All 63 satellites tagged [+] in the file lie in the band of the operational orbits, and
    // so do a few in-plane spares; the others, the dummy masses among them, do not.
    auto in = iridiumSettings(0);
    std::FILE* f = std::fopen(in->tlefile, "r");
    ASSERT_NE(f, nullptr);
    std::vector<char> text(kTleTextBytes);
    int operational = 0, inBand = 0, entries = 0;
    std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "*");
    for (int found = 2; found == 2;) {
        found = tleread(in.get(), f, text.data(), 0);
        if (!found) break;
        ++entries;
        const bool tagged = std::string(in->satname[kWorkSlot]).find("[+]") != std::string::npos;
        const bool band = IridiumOperational(in.get(), kWorkSlot);
        EXPECT_TRUE(band || !tagged) << in->satname[kWorkSlot];
        EXPECT_FALSE(band && std::string(in->satname[kWorkSlot]).find("DUMMY") != std::string::npos);
        operational += tagged;
        inBand += band;
        in->iridmode = kIridiumMode;
        EXPECT_EQ(SatelliteMark(in.get(), kWorkSlot), band ? "   " : " ? ");
        in->iridmode = 0;
        EXPECT_EQ(SatelliteMark(in.get(), kWorkSlot), "   ");
    }
    std::fclose(f);
    EXPECT_EQ(entries, 92);
    EXPECT_EQ(operational, 63);
    EXPECT_EQ(inBand, 68);
}

TEST(Iridium, ReflectorsOfOneSatelliteKeepTheBrightest)
{
    auto in = iridiumSettings(kIridium21);
    auto sp = stateRecord();
    in->iridmode = kIridiumMode;
    for (bool panel : {false, true}) {
        in->irpanel = panel;
        for (double dt = -20.0; dt <= 20.0; dt += 2.5) {
            const double t = kFlareMjd + dt * kSecond;
            // Every reflector alone, as the known surface of the search.
            double best = kNoMagnitude, lat = kNoCentreLine;
            in->flares = 1;
            in->knownsurf = 1;
            for (int k = 0; k < (panel ? kIridiumReflectors : kIridiumAntennas); ++k) {
                in->flryaw = AntennaYaw(k);
                in->flrpitch = kAntennaPitch;
                in->iraltmdl = k == kSolarPanel;
                GetSatPos(t, in.get(), sp.get(), 0, 0);
                if (sp->mag < best) {
                    best = sp->mag;
                    lat = sp->ctrlat[0];
                }
            }
            in->iraltmdl = false;
            // All reflectors at once report the brightest with its centre-line point.
            in->flares = 0;
            in->flryaw = in->flrpitch = 0.0;
            GetSatPos(t, in.get(), sp.get(), 0, 0);
            EXPECT_DOUBLE_EQ(sp->mag, best) << dt;
            EXPECT_DOUBLE_EQ(sp->ctrlat[0], lat) << dt;
            // The loop leaves the user's surface alone.
            EXPECT_EQ(in->flryaw, 0.0);
        }
    }
    // In the flare centre the front antenna gives about -7 with a flare angle of a few tenths.
    in->irpanel = false;
    GetSatPos(kFlareMjd, in.get(), sp.get(), 0, 0);
    EXPECT_LT(sp->mag, -6.5);
    EXPECT_LT(in->flrang, 0.5);
    const double flare = sp->mag;
    // Display Flare Magnitude moves the antenna law's peak to the user's maximum magnitude.
    in->iridmode = 0;
    in->iridflg = true;
    in->flares = 1;
    in->flryaw = 0.0;
    in->flrpitch = kAntennaPitch;
    in->flrmaxmag = -4.0;
    GetSatPos(kFlareMjd, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(sp->mag, flare + 8.7 - 4.0, 1e-9);
    // Moonlit flares: a satellite in sunlight shows none.
    in->iridmode = kIridiumMode;
    in->iridflg = false;
    in->flares = 0;
    in->moonvis = 1;
    in->charlen = 1.0;
    GetSatPos(kFlareMjd, in.get(), sp.get(), 0, 0);
    ASSERT_GT(sp->moonlit[0], 0.0);
    EXPECT_EQ(sp->mag, kNoMagnitude);
}

TEST(Iridium, FlareSearchWithinAPass)
{
    auto in = iridiumSettings(kIridium21);
    auto sp = stateRecord();
    SetIridiumSearch(in.get());
    const std::vector<EventHit> events = FindEvents(in.get(), 0, kFlareMjd - 0.1, kFlareMjd + 0.1, false, sp.get());
    ASSERT_EQ(events.size(), 1u);
    const EventHit flare = events[0];
    EXPECT_EQ(flare.label, "Front  ->N");
    EXPECT_NEAR(flare.t, kFlareMjd, 1.0 * kSecond);
    EXPECT_LT(flare.value, -6.5);
    // The reported instant is the brightest: a tenth of a second on either side is fainter.
    for (double dt : {-0.1, 0.1}) {
        GetSatPos(flare.t + dt * kSecond, in.get(), sp.get(), 0, 0);
        EXPECT_GE(sp->mag, flare.value);
    }

    // A pass that starts 20 s after the flare centre: the search stays within the pass and finds
    // only the fading flare; starting 5 minutes before, it finds the centre.
    double tm[3] = {kFlareMjd + 20.0 * kSecond, 0.0, kFlareMjd + 300.0 * kSecond}, a[3], b[3];
    in->irminmag = 5.0;
    ASSERT_EQ(GetIrid(in.get(), 0, 1, tm, a, b, sp.get()), 1);
    EXPECT_GT(tm[1], tm[0] - 1.0 * kSecond);
    EXPECT_GT(b[2], flare.value + 1.0);
    tm[0] = kFlareMjd - 300.0 * kSecond;
    ASSERT_EQ(GetIrid(in.get(), 0, 1, tm, a, b, sp.get()), 1);
    EXPECT_NEAR(tm[1], flare.t, 0.1 * kSecond);
    EXPECT_LT(a[0], a[2]);  // northbound
    // Fainter than the listed limit: no event.
    in->irminmag = -8.0;
    EXPECT_EQ(GetIrid(in.get(), 0, 1, tm, a, b, sp.get()), 2);
    // The search settings are restored, except the mirror that flared.
    in->flares = 0;
    in->flryaw = 77.0;
    in->flrpitch = 5.0;
    in->irminmag = 5.0;
    ASSERT_EQ(GetIrid(in.get(), 0, 1, tm, a, b, sp.get()), 1);
    EXPECT_EQ(in->flares, 0);
    EXPECT_EQ(in->flrpitch, 5.0);
    EXPECT_EQ(in->flryaw, 0.0);
}

TEST(Iridium, PassesWithoutCentreLineGiveNoEvent)
{
    // Occultations of a star near the south celestial pole: from 48 N the line from the
    // satellite away from it leads away from the Earth, so no pass yields an event line.
    auto in = IssSettings();
    auto sp = stateRecord();
    auto out = std::make_unique<WoutData>();
    in->day = 22;
    in->month = 2;
    in->year = 2026;
    in->hour = in->minute = in->second = 0;
    in->timezone = 0.0;
    in->visonly = 0;
    in->maxsunelev = 90.0;
    ASSERT_GT(FindPasses(in.get(), 0, ListStartMjd(in.get()), ListStartMjd(in.get()) + in->duration, sp.get()).size(), 5u);
    in->iridmode = 1;
    in->occmode = 3;
    in->flryaw = 6.0;
    in->flrpitch = -89.3;
    in->evmaxdist = 5000.0;
    aospass(in.get(), out.get(), sp.get());
    const std::vector<std::string> lines = pageLines(out.get());
    EXPECT_EQ(lines[3], " >>> Occultation  R.A.: 6  Decl.: -89.3");
    EXPECT_EQ(lines.end()[-2], " *** No suitable pass found within time interval ***");
    EXPECT_EQ(in->npass, 0);
    // Without a distance, occultations and flares are refused with two message lines.
    in->evmaxdist = 0.0;
    aospass(in.get(), out.get(), sp.get());
    EXPECT_EQ(pageLines(out.get()), (std::vector<std::string>{" *** Need distance > 0 for occultations or flares ***",
                                                              " *** except for Sun or Moon Transits ***"}));
    in->iridmode = 2;
    EXPECT_EQ(AllSatAos(in.get(), sp.get()), -1);
}

TEST(Iridium, ClosestApproachOfTheCentreLine)
{
    // A Sun transit of the ISS; the site is then moved 4 km off its centre line.
    auto in = IssSettings();
    auto sp = stateRecord();
    in->iridmode = 1;
    in->occmode = 1;
    in->evmaxdist = 100.0;
    const EventRun run(in.get());
    std::vector<EventHit> events = FindEvents(in.get(), 0, 61114.0, 61135.0, false, sp.get());
    ASSERT_FALSE(events.empty());
    const EventHit far = events[0];
    ASSERT_GE(far.value, 10.0);
    // At 10 km or more the value is the sampled distance of the best instant.
    GetSatPos(far.t, in.get(), sp.get(), 0, 0);
    EXPECT_DOUBLE_EQ(far.value, sp->mag);

    const double lat = sp->ctrlat[0], lon = sp->ctrlon[0];
    GetSatPos(far.t + kSecond, in.get(), sp.get(), 0, 0);
    const double heading = std::atan2(sp->ctrlat[0] - lat, (sp->ctrlon[0] - lon) * std::cos(lat * M_PI / 180.0));
    in->obslat = lat + 4.0 / 111.2 * std::cos(heading);
    in->obslon = lon - 4.0 / 111.2 * std::sin(heading) / std::cos(lat * M_PI / 180.0);
    events = FindEvents(in.get(), 0, far.t - 0.02, far.t + 0.02, false, sp.get());
    ASSERT_EQ(events.size(), 1u);
    const EventHit near = events[0];
    EXPECT_LT(near.value, 10.0);
    // Below 10 km the value is the closest approach of the centre line, which dense sampling
    // around the event confirms.
    double closest = 1e9;
    for (double dt = -2.0; dt <= 2.0; dt += 0.002) {
        GetSatPos(near.t + dt * kSecond, in.get(), sp.get(), 0, 0);
        closest = std::min(closest, sp->mag);
    }
    EXPECT_NEAR(near.value, closest, 0.05);
    EXPECT_NEAR(near.value, 4.0, 0.3);
}

TEST(Iridium, FlarePageFromTheSaveFile)
{
    ScopedTempDir dir;
    auto in = iridiumSettings(0);
    auto out = std::make_unique<WoutData>();
    std::snprintf(in->savename, sizeof in->savename, "flares.txt");
    // Titles only when the save file is missing.
    Iriddspy(in.get(), out.get());
    EXPECT_EQ(pageLines(out.get()),
              (std::vector<std::string>{" ", " *** Iridium Flares *** ", " ", " Year: 2014  +++ Timezone: 0 +++"}));

    const std::string cell = "JUN 22   2:05:39 (105, 37)";
    std::ofstream("flares.txt") << "Geographic Location: Default\n"
                                << " Year: 2014  +++ Timezone: 0 +++ \n"
                                << "=====\n\n"
                                << cell << "  Iridium Flare Front  ->N  mag  -7.1   IRIDIUM 21 [+]\n"
                                << cell << "  Iridium Flare Solar  ->N  mag  -1.0   IRIDIUM 21 [+]\n"
                                << "JUN 22   2:10:00 ( 10, 20)  Sun Transit   dist:   12.0 km   ISS\n"
                                << "JUN 22   2:15:39 (105, 37)  Iridium Flare Left   ->S  mag   0.5 ? IRIDIUM 90 [S]\n"
                                << "JUN 22   2:25:39 (105, 37)  Iridium Flare Right  ->S  mag   0.1   IRIDIUM 8 [+]\n"
                                << "JUN 22   2:35:39 (105, 37)  Iridium Flare Right  ->S  mag   0.2   IRIDIUM 88 [+]\n"
                                << "JUN 22   2:45:39 (105, 37)  Iridium Flare Right  ->S  mag   0.3   IRIDIUM 21 [+]\n"
                                << "JUN 22   2:55:39 (105, 37)  Iridium Flare Right  ->S  mag   0.4   IRIDIUM 6 [+]\n";
    in->irwrote = true;
    in->moonvis = 1;
    Iriddspy(in.get(), out.get());
    const std::vector<std::string> lines = pageLines(out.get());
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[1], " *** Iridium Flares ***  written to flares.txt");
    EXPECT_EQ(lines[3], " Year: 2014  +++ Timezone: 0 +++   Moonshine Flares");
    // A blank line before the first flare and every fifth; a repeated instant and other events
    // are left out.
    EXPECT_EQ(lines[4], " ");
    EXPECT_EQ(lines[5], cell + "   Front  ->N  mag  -7.1   IRIDIUM 21 [+]");
    EXPECT_EQ(lines[6], "JUN 22   2:15:39 (105, 37)   Left   ->S  mag   0.5 ? IRIDIUM 90 [S]");
    EXPECT_EQ(lines[10], " ");
    EXPECT_EQ(lines[11], "JUN 22   2:55:39 (105, 37)   Right  ->S  mag   0.4   IRIDIUM 6 [+]");
    EXPECT_EQ(out->lines[5][kTagByte], kLineTag);
    // The flaring satellites found by their names join the selection once each.
    ASSERT_EQ(in->nsat, 4);
    const int expected[] = {kIridium21, 27373, 24792, 24794};
    for (int k = 0; k < 4; ++k) EXPECT_EQ(in->satno[k], expected[k]) << k;
    EXPECT_EQ(in->savenew, 0);
}

TEST(Iridium, AllSatelliteFlareSearch)
{
    ScopedTempDir dir;
    auto in = iridiumSettings(0);
    auto sp = stateRecord();
    SetIridiumSearch(in.get());
    std::snprintf(in->savename, sizeof in->savename, "flares.txt");
    in->savenew = 1;
    // A limit above magnitude 29 is refused and leaves the save file alone.
    in->irminmag = 29.5;
    EXPECT_EQ(AllSatAos(in.get(), sp.get()), -1);
    EXPECT_EQ(readFile("flares.txt"), "");
    in->irminmag = 1.0;
    std::vector<EventHit> hits;
    std::vector<int> numbers;
    ASSERT_EQ(AllSatAos(in.get(), sp.get(), [&](const EventHit& e, int slot) {
                  hits.push_back(e);
                  numbers.push_back(in->satno[slot]);
              }),
              0);
    ASSERT_FALSE(hits.empty());
    EXPECT_EQ(in->nsat, 0);
    // Every event is a line of the sorted save file, in the event column layout.
    const std::string save = readFile("flares.txt");
    EXPECT_NE(save.find("\n    Event Time (Azim.,Elev.)\n"), std::string::npos);
    for (const EventHit& e : hits) {
        EXPECT_LE(e.value, 1.0);
        EXPECT_NE(save.find(EventFileText(in.get(), e)), std::string::npos) << EventFileText(in.get(), e);
    }
    EXPECT_NE(std::find(numbers.begin(), numbers.end(), kIridium21), numbers.end());
}
