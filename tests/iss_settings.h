// Settings for the satellite-state tests and benchmarks: program defaults, exact model (no
// refraction, no IERS values, WGS-72), ISS (ZARYA) of data/tle/visual.txt alone in slot 0,
// seen from site A of passes_reference.txt (48.1 N, 11.6 E, 500 m).
#pragma once

#include <memory>

#include "core/defaults.h"
#include "core/tlefields.h"

inline std::unique_ptr<WinpData> IssSettings()
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    in->refract = false;
    in->iersflg = false;
    in->gravflg = 0;
    TleFields f{};
    ParseTleLine1("1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  9990", f);
    ParseTleLine2("2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866", f);
    StoreTle(in.get(), 0, f);
    in->sgpslot = kNoSgpSlot;
    in->nsat = 1;
    in->prime = 0;
    in->obslat = 48.1;
    in->obslon = 11.6;
    in->obshgt = 500.0;
    return in;
}
