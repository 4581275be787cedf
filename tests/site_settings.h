// Settings shared by pass tests and benchmarks: program defaults, site A of the reference passes
// (48.1 N, 11.6 E, 500 m; another latitude on request), start 2026-02-22 00:00 UTC.
#pragma once

#include <memory>

#include "core/defaults.h"

inline std::unique_ptr<WinpData> SiteASettings(double lat = 48.1)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    in->obslat = lat;
    in->obslon = 11.6;
    in->obshgt = 500.0;
    in->systzflg = 0;
    in->timezone = 0.0;
    in->day = 22;
    in->month = 2;
    in->year = 2026;
    in->hour = in->minute = in->second = 0;
    return in;
}
