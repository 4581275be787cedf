#include "core/selection.h"

#include <algorithm>
#include <cstring>

#include "core/tlefile.h"

namespace {

// Characters of a search key kept in the work slot.
constexpr int kKeyChars = 20;
// Capacity of a file name of the settings record.
constexpr int kFileNameBytes = sizeof(WinpData::tlefile);

// Number of selected satellites, limited to the selection slots.
int selected(const WinpData* in)
{
    return std::clamp(in->nsat, 0, kMaxSat);
}

}  // namespace

void vsFindSat(WinpData* in, ElementReader& r, std::string& key, int& n, int kind, int low, int recent)
{
    r.rewind();
    vsReComp(in, r, key, n, kind, 0, low, recent);
}

void vsReComp(WinpData* in, ElementReader& r, std::string& key, int& n, int kind, int more, int low,
              int recent)
{
    in->srchmode = kind;
    vsLowRecent(in, low, recent);
    std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "%.*s", kKeyChars,
                  key.c_str());
    in->satno[kWorkSlot] = n;
    char text[kTleTextBytes];
    n = tleread(in, r, text, more);
    key = text;
}

void vsSatSel(WinpData* in)
{
    const int target = std::min(selected(in), kMaxSat - 1);
    ShiftElm(in, target, kWorkSlot);
    in->nsat = target + 1;
    char* name = in->satname[kWorkSlot];
    if (!name[0]) name[1] = '\0';
    name[0] = '#';
}

void vsLastSat(const WinpData* in, std::string& key, int& kind, int& n, int& nsat, int& low,
               int& recent)
{
    key = in->srchname[kWorkSlot];
    kind = in->srchmode;
    n = in->satno[kWorkSlot];
    nsat = in->nsat;
    low = in->lowflt;
    recent = in->recentflt;
}

void vsLowRecent(WinpData* in, int low, int recent)
{
    in->lowflt = low;
    in->recentflt = recent;
}

void vsResetSatList(WinpData* in)
{
    in->nsat = 0;
    in->prime = 0;
    in->sgpslot = kNoSgpSlot;
}

std::string vsSatName(const WinpData* in, int i)
{
    return i >= 1 && i <= kMaxSat ? std::string(in->satname[i - 1]) : std::string();
}

std::string vsSatList(const WinpData* in)
{
    std::string s = std::string("TLE filename:") + in->tlefile;
    const int n = selected(in);
    if (n == 0) return s + "\n\n*** No Satellites Selected ***";
    s += "\n\nSelected Satellites:\n";
    for (int i = 0; i < n; ++i) s += std::string("\n  ") + in->satname[i];
    return s;
}

void vsFileName(const WinpData* in, char* name)
{
    if (name[0] != '*') return;
    const char* slash = std::strrchr(in->tlefile, '/');
    const std::string dir = slash ? std::string(in->tlefile, slash + 1) : std::string("/");
    const std::string resolved = dir + (name + 1);
    std::snprintf(name, kFileNameBytes, "%s", resolved.c_str());
}
