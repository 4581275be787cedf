// Reference passes and look angles of three satellites from two sites, computed independently
// for the exact geodetic site, and settings records prepared to match them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/passpage.h"
#include "core/records.h"
#include "foundation/units.h"
#include "scoped_env.h"
#include "test_site.h"
#include "test_text.h"

// Search window of the reference file (MJD, UTC): 2026-02-22 00:00 to 2026-02-25 00:00.
constexpr double kRefWindowStart = 61093.0;
constexpr double kRefWindowEnd = 61096.0;
using time_units::kSecond;
// Catalogue numbers of the reference satellites.
constexpr int kIss = 25544, kHst = 20580, kTitan = 26474;

// A true-site PASS row (MJD UTC, degrees) or LOOK row (utc, mjd in rise, az, el, range, rrate).
struct RefRow {
    int satno = 0;
    char site = ' ';
    std::string utc;
    double rise = 0, riseAz = 0, culm = 0, culmEl = 0, culmAz = 0, set = 0;
    double az = 0, el = 0, range = 0, rrate = 0;
};

inline std::vector<std::string> referenceLines()
{
    return splitLines(readFile(std::string(ORBIKA_TEST_DATA) + "/passes_reference.txt"));
}

// Rows of the kind "PASS" (true site, with a pass) or "LOOK", optionally of one satellite and site.
inline std::vector<RefRow> referenceRows(const std::string& kind, int satno = 0, char site = 0)
{
    std::vector<RefRow> rows;
    for (const std::string& line : referenceLines()) {
        std::istringstream s(line);
        std::string k, model, u;
        RefRow r;
        int number;
        if (!(s >> k >> r.satno >> r.site) || k != kind || (satno && r.satno != satno) || (site && r.site != site))
            continue;
        const bool ok = kind == "LOOK" ? bool(s >> r.utc >> r.rise >> r.az >> r.el >> r.range >> r.rrate)
                                       : s >> model >> number && model == "true"
                                             && s >> u >> r.rise >> r.riseAz >> u >> r.culm >> r.culmEl >> r.culmAz
                                                    >> u >> r.set;
        if (ok) rows.push_back(r);
    }
    return rows;
}

// Text after key up to the end of the first header line that holds key.
inline std::string headerField(const std::string& key)
{
    for (const std::string& line : referenceLines())
        if (line[0] == '#' && line.find(key) != std::string::npos) return line.substr(line.find(key) + key.size());
    ADD_FAILURE() << "no header line with " << key;
    return "";
}

// Element lines 1 and 2 and title of satno, as in a TLE file.
inline std::string referenceTle(int satno)
{
    const std::string number = std::to_string(satno);
    const std::string title = headerField("SAT " + number + "  \"");
    const std::string line1 = "1 " + number + headerField("#     1 " + number);
    const std::string line2 = "2 " + number + headerField("#     2 " + number);
    char name[32];
    std::snprintf(name, sizeof name, "%-24s", title.substr(0, title.find('"')).c_str());
    return std::string(name) + "\n" + line1 + "\n" + line2 + "\n";
}

// Settings of the reference computation: site A or B, 10 degrees, no Sun or visibility
// condition, no refraction, WGS-72, no IERS values; the window start as local time of zone 0.
inline std::unique_ptr<WinpData> referenceSettings(char site)
{
    auto in = SiteASettings();
    std::istringstream s(headerField("SITE " + std::string(1, site) + "  lat "));
    std::string lon, h;
    s >> in->obslat >> lon >> in->obslon >> h >> in->obshgt;
    in->minsatelev = 10.0;
    in->maxsunelev = 90.0;
    in->visonly = in->gravflg = 0;
    in->refract = in->iersflg = false;
    in->mjd = kRefWindowStart;
    in->duration = kRefWindowEnd - kRefWindowStart;
    return in;
}

// Elements of satno.
inline TleFields referenceElements(int satno)
{
    std::istringstream s(referenceTle(satno));
    std::string line[3];
    for (std::string& l : line) std::getline(s, l);
    TleFields tle{};
    EXPECT_TRUE(ParseTleLine1(line[1].c_str(), tle) && ParseTleLine2(line[2].c_str(), tle));
    return tle;
}

// Puts the reference satellite satno into slot (name included); nsat counts the slots in use.
inline void selectReference(WinpData* in, int slot, int satno)
{
    StoreTle(in, slot, referenceElements(satno));
    std::snprintf(in->satname[slot], sizeof in->satname[slot], "%.20s", referenceTle(satno).c_str());
    in->sgpslot = kNoSgpSlot;
    in->nsat = std::max(in->nsat, slot + 1);
}

// Reference settings at site with the reference satellite satno alone in slot 0.
inline std::unique_ptr<WinpData> referenceSelection(char site, int satno)
{
    auto in = referenceSettings(site);
    selectReference(in.get(), 0, satno);
    return in;
}

// Stores the element set of lines 1 and 2 into slot 0; false when they do not parse.
inline bool storeElements(WinpData* in, const char* line1, const char* line2)
{
    TleFields tle{};
    if (!ParseTleLine1(line1, tle) || !ParseTleLine2(line2, tle)) return false;
    StoreTle(in, 0, tle);
    in->sgpslot = kNoSgpSlot;
    return true;
}

// Puts the element set of lines 1 and 2 into slot 0 as the only satellite.
inline void selectElements(WinpData* in, const char* line1, const char* line2)
{
    ASSERT_TRUE(storeElements(in, line1, line2));
    in->nsat = 1;
    in->prime = 0;
}

// Calls visit() with each element set of the TLE file at path put into slot 0 of in.
template <class Visit>
void forEachElementSet(WinpData* in, const std::string& path, Visit visit)
{
    const std::vector<std::string> lines = splitLines(readFile(path));
    for (size_t k = 1; k + 1 < lines.size(); ++k)
        if (storeElements(in, lines[k].c_str(), lines[k + 1].c_str())) visit();
}

inline std::unique_ptr<SatPosData> stateRecord()
{
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    return sp;
}

// The pass page of in, as aospass() shows it.
inline std::vector<std::string> passPage(WinpData* in, SatPosData* sp)
{
    auto out = std::make_unique<WoutData>();
    aospass(in, out.get(), sp);
    return pageLines(out.get());
}
