// Reference passes and look angles of three satellites from two sites, computed independently
// with the program's site model, and settings records prepared to match them.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/defaults.h"
#include "core/records.h"
#include "core/tlefields.h"

inline const std::string kPassReferenceFile = std::string(ORBIKA_TEST_DATA) + "/passes_reference.txt";
// Search window of the reference file (MJD, UTC): 2026-02-22 00:00 to 2026-02-25 00:00.
constexpr double kRefWindowStart = 61093.0;
constexpr double kRefWindowEnd = 61096.0;
// Catalogue numbers of the reference satellites.
constexpr int kIss = 25544, kHst = 20580, kTitan = 26474;

// A pass of the "model" site rows: instants MJD UTC, elevation and azimuths in degrees.
struct RefPass {
    int satno = 0;
    char site = ' ';
    int number = 0;
    double rise = 0, riseAz = 0, culm = 0, culmEl = 0, culmAz = 0, set = 0, setAz = 0;
};

// A LOOK row: look angles at the model site.
struct RefLook {
    int satno = 0;
    char site = ' ';
    std::string utc;
    double mjd = 0, az = 0, el = 0, range = 0, rrate = 0;
};

struct RefSite {
    double lat, lon, height;  // degrees, degrees, metres
};

// Lines of the reference file.
inline std::vector<std::string> referenceLines()
{
    std::ifstream f(kPassReferenceFile);
    std::vector<std::string> lines;
    for (std::string line; std::getline(f, line);) lines.push_back(line);
    return lines;
}

// Model-site PASS rows that have a pass (rows marked '-' have none).
inline std::vector<RefPass> referencePasses()
{
    std::vector<RefPass> passes;
    for (const std::string& line : referenceLines()) {
        std::istringstream s(line);
        std::string kind, model, riseUtc, culmUtc, setUtc;
        RefPass p;
        if (!(s >> kind >> p.satno >> p.site >> model >> p.number) || kind != "PASS" || model != "model") continue;
        if (s >> riseUtc >> p.rise >> p.riseAz >> culmUtc >> p.culm >> p.culmEl >> p.culmAz >> setUtc >> p.set >> p.setAz)
            passes.push_back(p);
    }
    return passes;
}

inline std::vector<RefLook> referenceLooks()
{
    std::vector<RefLook> looks;
    for (const std::string& line : referenceLines()) {
        std::istringstream s(line);
        std::string kind;
        RefLook l;
        if (s >> kind && kind == "LOOK" && s >> l.satno >> l.site >> l.utc >> l.mjd >> l.az >> l.el >> l.range >> l.rrate)
            looks.push_back(l);
    }
    return looks;
}

// Site A or B of the header ("#   SITE A  lat +48.1000  lon +11.6000  h 500  ...").
inline RefSite referenceSite(char id)
{
    for (const std::string& line : referenceLines()) {
        char c;
        RefSite site{};
        if (std::sscanf(line.c_str(), "#   SITE %c lat %lf lon %lf h %lf", &c, &site.lat, &site.lon, &site.height) == 4
            && c == id)
            return site;
    }
    ADD_FAILURE() << "no site " << id;
    return {};
}

// The two element lines of satno from the header ("#     1 25544U ...").
inline TleFields referenceElements(int satno)
{
    TleFields tle{};
    char line1[8];
    std::snprintf(line1, sizeof line1, "1 %05d", satno);
    const std::vector<std::string> lines = referenceLines();
    for (size_t k = 0; k + 1 < lines.size(); ++k) {
        const size_t at = lines[k].find(line1);
        if (lines[k][0] != '#' || at == std::string::npos) continue;
        EXPECT_TRUE(ParseTleLine1(lines[k].c_str() + at, tle));
        EXPECT_TRUE(ParseTleLine2(lines[k + 1].c_str() + at, tle));
        return tle;
    }
    ADD_FAILURE() << "no elements of " << satno;
    return tle;
}

// Name of a reference satellite as the TLE title line gives it.
inline const char* referenceName(int satno)
{
    static const std::map<int, const char*> names{{kIss, "ISS (ZARYA)"}, {kHst, "HST"}, {kTitan, "TITAN 4B R/B"}};
    return names.at(satno);
}

// Settings of the reference computation: site, 10 degrees, no Sun or visibility condition, no
// refraction, WGS-72, no IERS values; the window start 2026-02-22 00:00 UTC as local time of
// zone 0 and a three-day interval.
inline std::unique_ptr<WinpData> referenceSettings(char site)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    const RefSite s = referenceSite(site);
    in->obslat = s.lat;
    in->obslon = s.lon;
    in->obshgt = s.height;
    in->minsatelev = 10.0;
    in->maxsunelev = 90.0;
    in->visonly = 0;
    in->refract = false;
    in->gravflg = 0;
    in->iersflg = false;
    in->systzflg = 0;
    in->timezone = 0.0;
    in->day = 22;
    in->month = 2;
    in->year = 2026;
    in->hour = in->minute = in->second = 0;
    in->mjd = kRefWindowStart;
    in->duration = kRefWindowEnd - kRefWindowStart;
    return in;
}

// Puts the reference satellite satno into slot and selects it (nsat counts the slots in use).
inline void selectReference(WinpData* in, int slot, int satno)
{
    StoreTle(in, slot, referenceElements(satno));
    std::snprintf(in->satname[slot], sizeof in->satname[slot], "%-20s", referenceName(satno));
    in->sgpslot = kNoSgpSlot;
    in->nsat = std::max(in->nsat, slot + 1);
}

// An empty state record.
inline std::unique_ptr<SatPosData> stateRecord()
{
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    return sp;
}
