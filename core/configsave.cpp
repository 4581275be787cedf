#include "core/configsave.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "core/defaults.h"
#include "core/regularfile.h"
#include "core/safewrite.h"

namespace {

// True when name opens as a TLE file.
bool tleOpens(const char* name)
{
    std::FILE* f = OpenRegularFile(name);
    if (f) std::fclose(f);
    return f != nullptr;
}

}  // namespace

bool savecfg(const WinpData* in, const char* path)
{
    auto stored = std::make_unique<WinpData>();
    SetDefaults(stored.get());
    const int status = getcfg(stored.get(), path);
    if (status == kCfgReadFailed && !CopyFile(path, (std::string(path) + kConfigBackupSuffix).c_str())) return false;
    const bool keepNames = status == kCfgRead && in->nsat == 0 && stored->nsat > 0 &&
                           std::strcmp(stored->tlefile, in->tlefile) == 0 && !tleOpens(in->tlefile);
    if (!keepNames) return putcfg(in, path);
    auto out = std::make_unique<WinpData>(*in);
    out->nsat = stored->nsat;
    for (int i = 0; i < stored->nsat; ++i)
        std::memcpy(out->satname[i], stored->srchname[i], sizeof out->satname[i]);
    return putcfg(out.get(), path);
}
