#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/defaults.h"
#include "core/satstate.h"
#include "core/tlefields.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

// Look angles of one satellite from one site at one instant (the reference file's LOOK row).
struct LookRow {
    int satno;
    std::string site;
    double mjd, az, el, range, rrate;
};
struct Site {
    double lat, lon, hgt;
};
// Element lines, sites and LOOK rows of passes_reference.txt.
struct Reference {
    std::map<int, std::pair<std::string, std::string>> tle;
    std::map<std::string, Site> sites;
    std::vector<LookRow> looks;
};

Reference readReference()
{
    Reference ref;
    std::ifstream file(ORBIKA_TEST_DATA "/passes_reference.txt");
    EXPECT_TRUE(file.good());
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream s(line);
        std::string key;
        s >> key;
        if (key == "LOOK") {
            LookRow r;
            std::string utc;
            s >> r.satno >> r.site >> utc >> r.mjd >> r.az >> r.el >> r.range >> r.rrate;
            ref.looks.push_back(r);
        } else if (key == "#" && line.size() > 6 && (line[6] == '1' || line[6] == '2')) {
            const std::string body = line.substr(6);
            const int satno = std::stoi(body.substr(2, 5));
            (line[6] == '1' ? ref.tle[satno].first : ref.tle[satno].second) = body;
        } else if (key == "#" && line.compare(0, 9, "#   SITE ") == 0) {
            std::string site, word;
            Site st;
            s >> word >> site >> word >> st.lat >> word >> st.lon >> word >> st.hgt;
            ref.sites[site] = st;
        }
    }
    return ref;
}

// Settings at the program defaults with an exact model: no refraction, no IERS values, WGS-72.
std::unique_ptr<WinpData> settings()
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    in->refract = false;
    in->iersflg = false;
    in->gravflg = 0;
    in->sgpslot = kNoSgpSlot;
    in->nsat = 1;
    in->prime = 0;
    return in;
}

// Stores the element lines into slot.
void loadTle(WinpData* in, int slot, const std::string& l1, const std::string& l2)
{
    TleFields f{};
    ASSERT_TRUE(ParseTleLine1(l1.c_str(), f));
    ASSERT_TRUE(ParseTleLine2(l2.c_str(), f));
    StoreTle(in, slot, f);
    in->sgpslot = kNoSgpSlot;
}

void setSite(WinpData* in, const Site& s)
{
    in->obslat = s.lat;
    in->obslon = s.lon;
    in->obshgt = s.hgt;
}

// Angle difference a - b in degrees folded into -180..180.
double angleDiff(double a, double b)
{
    return std::remainder(a - b, 360.0);
}

}  // namespace

TEST(SatState, LookAnglesMatchReference)
{
    const Reference ref = readReference();
    ASSERT_EQ(ref.looks.size(), 100u);
    auto in = settings();
    auto sp = std::make_unique<SatPosData>();
    double worst[4] = {0, 0, 0, 0};
    for (const LookRow& row : ref.looks) {
        const auto& lines = ref.tle.at(row.satno);
        loadTle(in.get(), 0, lines.first, lines.second);
        setSite(in.get(), ref.sites.at(row.site));
        GetSatPos(row.mjd, in.get(), sp.get(), 0, 0);
        const double d[4] = {angleDiff(sp->azim[0], row.az), sp->elev[0] - row.el,
                             sp->range[0] - row.range, sp->rrate[0] - row.rrate};
        for (int k = 0; k < 4; ++k) worst[k] = std::max(worst[k], std::fabs(d[k]));
        SCOPED_TRACE(std::to_string(row.satno) + " " + row.site + " " + std::to_string(row.mjd));
        EXPECT_NEAR(d[0], 0.0, 0.002);
        EXPECT_NEAR(d[1], 0.0, 0.002);
        EXPECT_NEAR(d[2], 0.0, 0.005);
        EXPECT_NEAR(d[3], 0.0, 0.001);
    }
    std::printf("worst az %.5f el %.5f range %.5f rrate %.6f\n", worst[0], worst[1], worst[2],
                worst[3]);
}
