// orbika-cli allpasses: the passes of every satellite of the TLE file, written sorted to a save
// file and printed.
#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "commands.h"
#include "core/cataloguesearch.h"
#include "core/records.h"
#include "options.h"
#include "output.h"

namespace {
constexpr const char* kDefaultSaveFile = "satsave.txt";
// Most worker threads accepted by --threads.
constexpr long kMaxThreads = 256;

// Worker threads of the search: --threads, else one per core.
bool searchThreads(CommonOptions& o, int& threads)
{
    threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    if (!o.extra.count("--threads")) return true;
    long n = 0;
    if (!readWhole("allpasses", "--threads", o.extra["--threads"].c_str(), 1, kMaxThreads, n)) return false;
    threads = static_cast<int>(n);
    return true;
}

// Copies the file name to standard output as it is.
void printFile(const std::string& name)
{
    std::ifstream f(name, std::ios::binary);
    std::array<char, 1 << 16> buffer;
    while (f.read(buffer.data(), buffer.size()) || f.gcount() > 0)
        std::fwrite(buffer.data(), 1, static_cast<size_t>(f.gcount()), stdout);
}
}  // namespace

int runAllPasses(int argc, char** argv)
{
    CommonOptions o;
    int threads = 1;
    if (!parseCommon("allpasses", argc, argv, {"--out", "--threads"}, o) || !searchThreads(o, threads))
        return kExitUsage;
    const std::string save = o.extra.count("--out") ? o.extra["--out"] : kDefaultSaveFile;
    auto in = std::make_unique<WinpData>();
    const int status = prepareSettings("allpasses", o, false, in.get());
    if (status != kExitOk) return status;
    if (checkTleFile(in.get()) != kExitOk) return kExitUsage;
    if (save.empty() || save.size() >= sizeof in->savename) {
        complain("allpasses: unusable save file name '%s'", save.c_str());
        return kExitUsage;
    }
    std::snprintf(in->savename, sizeof in->savename, "%s", save.c_str());
    in->savenew = 1;
    if (outputIsInput("allpasses", in.get())) return kExitUsage;
    auto sp = std::make_unique<SatPosData>();
    const int result = AllSatAos(in.get(), sp.get(), nullptr, threads);
    if (result == kAllSatTleFailed) complain("allpasses: cannot open TLE file %s", in->tlefile);
    if (result == kAllSatSaveFailed) complain("allpasses: cannot write %s", in->savename);
    if (result != 0) return kExitUsage;
    printFile(save);
    return kExitOk;
}
