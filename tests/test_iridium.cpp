#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "core/cataloguesearch.h"
#include "core/defaults.h"
#include "core/iridium.h"
#include "core/mirror.h"
#include "core/passevents.h"
#include "core/passpage.h"
#include "core/passsearch.h"
#include "core/satstate.h"
#include "core/tlefile.h"
#include "foundation/units.h"
#include "pass_reference.h"
#include "scoped_env.h"

namespace {
using time_units::kSecond;
// IRIDIUM 21 [+]: a front-antenna flare over 48.1 N, 11.6 E, 500 m near 2014-06-22 02:05:39 UTC.
constexpr int kIridium21 = 25778;
constexpr double kFlareMjd = 56830.0 + (2.0 + 5.0 / 60.0 + 39.0 / 3600.0) / 24.0;

// The ISS site and program defaults with the TLE file IRIDIUM.TXT and, unless satno is 0, that
// satellite in slot 0.
std::unique_ptr<WinpData> iridiumSettings(int satno)
{
    auto in = IssSettings();
    in->nsat = 0;
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s/tle/IRIDIUM.TXT", ORBIKA_DATA_DIR);
    ElementReader f(in->tlefile);
    EXPECT_TRUE(f.isOpen());
    std::vector<char> text(kTleTextBytes);
    in->srchmode = 1;
    in->satno[kWorkSlot] = satno;
    if (satno && tleread(in.get(), f, text.data(), 0) == 1) ShiftElm(in.get(), in->nsat++, kWorkSlot);
    in->srchmode = 0;
    return in;
}
}  // namespace

TEST(Iridium, OperationalBandAndReflectors)
{
    // The 63 [+] satellites and five spares lie in the operational band; the other 24 are marked " ? ".
    auto in = iridiumSettings(0);
    in->iridmode = kIridiumMode;
    ElementReader f(in->tlefile);
    std::vector<char> text(kTleTextBytes);
    int outside = 0;
    std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "*");
    for (int found = 2; found == 2 && (found = tleread(in.get(), f, text.data(), 0)) != 0;) {
        EXPECT_TRUE(IridiumOperational(in.get(), kWorkSlot) || !std::strstr(in->satname[kWorkSlot], "[+]"));
        outside += SatelliteMark(in.get(), kWorkSlot) == " ? ";
    }
    EXPECT_EQ(outside, 24);
    // All reflectors at once give the brightest of each reflector alone (as the known surface).
    in = iridiumSettings(kIridium21);
    auto sp = stateRecord();
    in->iridmode = kIridiumMode;
    in->irpanel = true;
    for (double dt = -20.0; dt <= 20.0; dt += 2.5) {
        const double t = kFlareMjd + dt * kSecond;
        double best = kNoMagnitude, lat = kNoCentreLine;
        in->flares = in->knownsurf = 1;
        for (int k = 0; k < kIridiumReflectors; ++k) {
            std::tie(in->flryaw, in->flrpitch, in->iraltmdl) =
                std::make_tuple(AntennaYaw(k), kAntennaPitch, k == kSolarPanel);
            GetSatPos(t, in.get(), sp.get(), 0, 0);
            if (sp->mag < best) best = sp->mag, lat = sp->ctrlat[0];
        }
        std::tie(in->iraltmdl, in->flares, in->flryaw) = std::make_tuple(false, 0, 55.0);
        GetSatPos(t, in.get(), sp.get(), 0, 0);
        EXPECT_DOUBLE_EQ(sp->mag, best) << dt;
        EXPECT_DOUBLE_EQ(sp->ctrlat[0], lat) << dt;
        EXPECT_EQ(in->flryaw, 55.0);
    }
    // In the flare centre the front antenna gives about -7 with a flare angle of a few tenths.
    GetSatPos(kFlareMjd, in.get(), sp.get(), 0, 0);
    EXPECT_LT(sp->mag, -6.5);
    EXPECT_LT(in->flrang, 0.5);
    const double flare = sp->mag;
    // Display Flare Magnitude moves the antenna law's peak to the user's maximum magnitude.
    std::tie(in->iridmode, in->iridflg, in->flares, in->flryaw, in->flrmaxmag) =
        std::make_tuple(kPlainPasses, true, 1, 0.0, -4.0);
    GetSatPos(kFlareMjd, in.get(), sp.get(), 0, 0);
    EXPECT_NEAR(sp->mag, flare + 8.7 - 4.0, 1e-9);
    // Moonlit flares: a satellite in sunlight shows none.
    std::tie(in->iridmode, in->iridflg, in->moonvis, in->charlen) = std::make_tuple(kIridiumMode, false, 1, 1.0);
    GetSatPos(kFlareMjd, in.get(), sp.get(), 0, 0);
    ASSERT_GT(sp->moonlit[0], 0.0);
    EXPECT_EQ(sp->mag, kNoMagnitude);
}

TEST(Iridium, FlareSearchWithinAPassAndNoEventWithoutCentreLine)
{
    auto in = iridiumSettings(kIridium21);
    auto sp = stateRecord();
    SetIridiumSearch(in.get());
    const std::vector<EventHit> events = FindEvents(in.get(), 0, kFlareMjd - 0.1, kFlareMjd + 0.1, false, sp.get());
    ASSERT_EQ(events.size(), 1u);
    const EventHit flare = events[0];
    EXPECT_EQ(flare.label, "Front  ->N");
    EXPECT_NEAR(flare.t, kFlareMjd, 1.0 * kSecond);
    // The reported instant is the brightest: a tenth of a second on either side is fainter.
    for (double dt : {-0.1, 0.1}) {
        GetSatPos(flare.t + dt * kSecond, in.get(), sp.get(), 0, 0);
        EXPECT_GE(sp->mag, flare.value);
    }
    // A pass from 20 s after the centre finds only the fading flare; from 5 min before, the centre.
    double tm[3] = {kFlareMjd + 20.0 * kSecond, 0.0, kFlareMjd + 300.0 * kSecond}, a[3], b[3];
    in->irminmag = 5.0;
    ASSERT_EQ(GetIrid(in.get(), 0, 1, tm, a, b, sp.get()), 1);
    EXPECT_GT(tm[1], tm[0] - 1.0 * kSecond);
    EXPECT_GT(b[2], flare.value + 1.0);
    tm[0] = kFlareMjd - 300.0 * kSecond;
    // The settings are restored, except the yaw of the mirror that flared.
    in->flares = 0;
    in->flryaw = 77.0;
    in->flrpitch = 5.0;
    ASSERT_EQ(GetIrid(in.get(), 0, 1, tm, a, b, sp.get()), 1);
    EXPECT_NEAR(tm[1], flare.t, 0.1 * kSecond);
    EXPECT_LT(a[0], a[2]);  // northbound
    EXPECT_EQ(in->flares, 0);
    EXPECT_EQ(in->flrpitch, 5.0);
    EXPECT_EQ(in->flryaw, 0.0);
    // Fainter than the listed limit: no event.
    in->irminmag = -8.0;
    EXPECT_EQ(GetIrid(in.get(), 0, 1, tm, a, b, sp.get()), 2);
    // A star near the south pole: from 48 N its line through the satellite misses the Earth.
    in = IssSettings();
    in->visonly = 0;
    in->maxsunelev = 90.0;
    std::tie(in->iridmode, in->occmode, in->flryaw, in->flrpitch, in->evmaxdist) =
        std::make_tuple(kTransitMode, kFixedTarget, 6.0, -89.3, 5000.0);
    const std::vector<std::string> lines = passPage(in.get(), sp.get());
    EXPECT_EQ(lines[3], " >>> Occultation  R.A.: 6  Decl.: -89.3");
    EXPECT_EQ(lines.end()[-2], " *** No suitable pass found within time interval ***");
    in->iridmode = kPlainPasses;
    const double t0 = ListStartMjd(in.get());
    EXPECT_GT(FindPasses(in.get(), 0, t0, t0 + in->duration, sp.get()).size(), 5u);
    // Without a distance the all-satellite search refuses occultations.
    in->iridmode = kTransitMode;
    in->evmaxdist = 0.0;
    EXPECT_EQ(AllSatAos(in.get(), sp.get()), -1);
}

TEST(Iridium, FlarePageFromTheSaveFile)
{
    ScopedTempDir dir;
    auto in = iridiumSettings(kIridium21);
    auto out = std::make_unique<WoutData>();
    std::snprintf(in->savename, sizeof in->savename, "flares.txt");
    in->year = 2014;
    const std::string cell = "JUN 22   2:05:39 (105, 37)", later = "JUN 22   2:";
    std::ofstream("flares.txt") << " Year: 2014  +++ Timezone: 0 +++ \n=====\n\n"
                                << cell << "  Iridium Flare Front  ->N  mag  -7.1   IRIDIUM 21 [+]\n"
                                << cell << "  Iridium Flare Solar  ->N  mag  -1.0   IRIDIUM 21 [+]\n"
                                << later << "10:00 ( 10, 20)  Sun Transit   dist:   12.0 km   ISS\n"
                                << later << "15:39 (105, 37)  Iridium Flare Left   ->S  mag   0.5 ? IRIDIUM 90 [S]\n"
                                << later << "25:39 (105, 37)  Iridium Flare Right  ->S  mag   0.1   IRIDIUM 8 [+]\n"
                                << later << "35:39 (105, 37)  Iridium Flare Right  ->S  mag   0.2   IRIDIUM 88 [+]\n"
                                << later << "45:39 (105, 37)  Iridium Flare Right  ->S  mag   0.3   IRIDIUM 21 [+]\n"
                                << later << "55:39 (105, 37)  Iridium Flare Right  ->S  mag   0.4   IRIDIUM 6 [+]\n";
    in->irwrote = true;
    in->moonvis = 1;
    Iriddspy(in.get(), out.get());
    const std::vector<std::string> lines = pageLines(out.get());
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[1], " *** Iridium Flares ***  written to flares.txt");
    EXPECT_EQ(lines[3], " Year: 2014  +++ Timezone: 0 +++   Moonshine Flares");
    // Blank before every fifth; repeats, other events and the words "Iridium Flare" left out.
    EXPECT_EQ(lines[4], " ");
    EXPECT_EQ(lines[5], cell + "   Front  ->N  mag  -7.1   IRIDIUM 21 [+]");
    EXPECT_EQ(lines[6], later + "15:39 (105, 37)   Left   ->S  mag   0.5 ? IRIDIUM 90 [S]");
    EXPECT_EQ(lines[10], " ");
    EXPECT_EQ(out->lines[11][kTagByte], kLineTag);
    // The flaring satellites found by their names join the selection once each.
    EXPECT_EQ(std::vector<int>(in->satno, in->satno + in->nsat), (std::vector<int>{kIridium21, 27373, 24792, 24794}));
}
