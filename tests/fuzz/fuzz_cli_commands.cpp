// orbika-cli subcommands over arbitrary arguments: the first byte chooses the command, the rest
// are its NUL-separated arguments. Each run starts at a fixed instant in a scratch directory
// holding a two-satellite TLE file; arguments naming other directories are left out. A command
// ends with a known exit status and never writes a NaN or an infinity.
#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_input.h"
#include "tools/orbika-cli/commands.h"

namespace {

// Bounds the arguments of one input.
constexpr size_t kMaxArgs = 24;
const char* const kCommands[] = {"sgp4", "ephem", "passes", "allpasses", "state", "track",
                                 "match", "flares", "transits", "orbdet", "launch"};
// The commands that take the common options, among them the start time.
const char* const kFixedStart[] = {"--start", "2026-03-01 20:00:00"};
constexpr const char* kTle =
    "ISS (ZARYA)\n"
    "1 25544U 98067A   26059.50000000  .00016717  00000-0  10270-3 0  9004\n"
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.49815378 10001\n"
    "IRIDIUM 8 [+]\n"
    "1 24792U 97020A   26059.28958246  .00000060  00000-0  14372-4 0  8703\n"
    "2 24792  86.3964  55.1167 0002303  99.8941 260.2514 14.34213842896695\n";

// A fresh scratch directory, made current, with only the TLE file in it.
void freshDirectory()
{
    static const std::string dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "orbika-fuzz-cli-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        return pattern;
    }();
    std::filesystem::current_path(dir);
    for (const auto& entry : std::filesystem::directory_iterator(dir)) std::filesystem::remove_all(entry.path());
    std::ofstream("visual.txt") << kTle;
}

// True for an argument that could name a file outside the scratch directory.
bool leavesDirectory(const std::string& a) { return a.find('/') != std::string::npos || a == "." || a == ".."; }

// True when text holds "nan" or "inf" as a word of its own, in any case.
bool hasNonFinite(const std::string& text)
{
    std::string lower;
    for (const char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* word : {"nan", "inf"})
        for (size_t at = lower.find(word); at != std::string::npos; at = lower.find(word, at + 1)) {
            const bool before = at > 0 && std::isalpha(static_cast<unsigned char>(lower[at - 1]));
            const bool after = at + 3 < lower.size() && std::isalpha(static_cast<unsigned char>(lower[at + 3]));
            if (!before && !after) return true;
        }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    freshDirectory();
    const std::string command = kCommands[data[0] % std::size(kCommands)];
    std::vector<std::string> args{command};
    if (command != "sgp4" && command != "ephem") args.insert(args.end(), std::begin(kFixedStart), std::end(kFixedStart));
    for (std::string& a : splitArgs(data + 1, size - 1, kMaxArgs))
        if (!leavesDirectory(a)) args.push_back(a);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    std::FILE* out = std::freopen("stdout.txt", "w", stdout);
    if (!out) std::abort();
    const int status = runCommand(static_cast<int>(argv.size()), argv.data());
    std::fflush(stdout);
    if (status < 0 || status > 2 || hasNonFinite(contents("stdout.txt"))) std::abort();
    return 0;
}
