// orbika-cli allpasses: the passes of every satellite of the TLE file, written sorted to a save
// file and printed.
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "commands.h"
#include "core/passes.h"
#include "core/records.h"
#include "options.h"
#include "output.h"

namespace {
// Result codes of the all-satellite search.
constexpr int kSaveUnwritable = 1;
constexpr int kTleUnreadable = 2;
constexpr const char* kDefaultSaveFile = "satsave.txt";
}  // namespace

int runAllPasses(int argc, char** argv)
{
    CommonOptions o;
    if (!parseCommon("allpasses", argc, argv, {"--out"}, o)) return kExitUsage;
    const std::string save = o.extra.count("--out") ? o.extra["--out"] : kDefaultSaveFile;
    auto in = std::make_unique<WinpData>();
    const int status = prepareSettings("allpasses", o, false, in.get());
    if (status != kExitOk) return status;
    if (save.empty() || save.size() >= sizeof in->savename) {
        complain("allpasses: unusable save file name '%s'", save.c_str());
        return kExitUsage;
    }
    std::snprintf(in->savename, sizeof in->savename, "%s", save.c_str());
    in->savenew = 1;
    auto sp = std::make_unique<SatPosData>();
    const int result = AllSatAos(in.get(), sp.get());
    if (result == kTleUnreadable) complain("allpasses: cannot open TLE file %s", in->tlefile);
    if (result == kSaveUnwritable) complain("allpasses: cannot write %s", in->savename);
    if (result != 0) return kExitUsage;
    std::ifstream f(save);
    for (std::string line; std::getline(f, line);) emit("%s\n", line.c_str());
    return kExitOk;
}
