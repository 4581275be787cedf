// The one site of the tests and benchmarks: site A of passes_reference.txt (48.1 N, 11.6 E,
// 500 m), start 2026-02-22 0h UTC in zone 0, a day after the bundled ISS elements' epoch.
#pragma once

#include <memory>

#include "core/defaults.h"
#include "core/tlefields.h"

constexpr double kSiteLat = 48.1, kSiteLon = 11.6, kSiteHeight = 500.0;  // degrees, degrees, metres

// Puts site A (at latitude lat) and the start instant's date fields into in; the MJD is left alone.
inline void SetSiteA(WinpData* in, double lat = kSiteLat)
{
    in->obslat = lat;
    in->obslon = kSiteLon;
    in->obshgt = kSiteHeight;
    in->systzflg = 0;
    in->timezone = 0.0;
    in->day = 22;
    in->month = 2;
    in->year = 2026;
    in->hour = in->minute = in->second = 0;
}

// Program defaults at site A.
inline std::unique_ptr<WinpData> SiteASettings(double lat = kSiteLat)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    SetSiteA(in.get(), lat);
    return in;
}

// Stores ISS (ZARYA) of data/tle/visual.txt into slot.
inline void LoadIss(WinpData* in, int slot)
{
    TleFields f{};
    ParseTleLine1("1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  9990", f);
    ParseTleLine2("2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866", f);
    StoreTle(in, slot, f);
    in->sgpslot = kNoSgpSlot;
}

// Site A with the exact model (no refraction, no IERS values, WGS-72) and the ISS alone in slot 0.
inline std::unique_ptr<WinpData> IssSettings()
{
    auto in = SiteASettings();
    in->refract = false;
    in->iersflg = false;
    in->gravflg = 0;
    LoadIss(in.get(), 0);
    in->nsat = 1;
    in->prime = 0;
    return in;
}
