// The pass list page of the prime satellite and the cells and remarks it shares with the
// all-satellite file.
#pragma once

#include <string>

#include "core/passsearch.h"
#include "core/records.h"

// Rule line of the pass list headers.
constexpr const char* kPassRule = "=======================================================================";

// Remark of the list headers on the visibility condition.
const char* VisibilityRemark(const WinpData* in);

// Pass list cells of a pass in local time: the start with its date, the maximum (left out in
// relative mode) and the end.
std::string PassCells(const WinpData* in, const PassEvent& p, bool relative);

// Writes the pass list page of the prime satellite over [start, start + duration] into out, or
// with an event type (iridmode) its events; npass and passaos receive the listed passes (at most
// kMaxPasses start instants). With autosave the page is also written to the save file.
void aospass(WinpData* in, WoutData* out, SatPosData* sp = satps);
