// Save files read back over arbitrary bytes: the sorting of the all-satellite pass file and the
// flare page made from a flare file. A sorted file sorts to itself; the flare page and the
// selection stay within their bounds.
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/defaults.h"
#include "core/iridium.h"
#include "core/records.h"
#include "core/savesort.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// One Iridium entry, so that flare lines naming it select it.
constexpr const char* kIridiumTle =
    "IRIDIUM 8 [+]\n"
    "1 24792U 97020A   14172.28958246  .00000060  00000-0  14372-4 0  8706\n"
    "2 24792  86.3964  55.1167 0002303  99.8941 260.2514 14.34213842896695\n";

// The lines of text, in sorted order.
std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) all.push_back(line);
    std::sort(all.begin(), all.end());
    return all;
}

// Number of searches whose header gives their year.
int searches(const std::string& text)
{
    int count = 0;
    for (size_t at = text.find(" Year:"); at != std::string::npos; at = text.find(" Year:", at + 1)) ++count;
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string save = scratch("save.txt");
    static const std::string tle = scratch("iridium.txt");
    static const std::unique_ptr<WinpData> in = std::make_unique<WinpData>();
    static const std::unique_ptr<WoutData> out = std::make_unique<WoutData>();
    SetDefaults(in.get(), 0);
    std::snprintf(in->savename, sizeof in->savename, "%s", save.c_str());
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s", tle.c_str());
    writeBytes(tle, kIridiumTle, std::char_traits<char>::length(kIridiumTle));
    writeBytes(save, data, size);
    // Sorting keeps every line. It is idempotent for a file of one search; with several, the
    // first sort moves the headers ahead, so lines after a year end may take another year.
    if (!SortAos(in.get())) std::abort();
    const std::string sorted = contents(save);
    if (!SortAos(in.get())) std::abort();
    const std::string again = contents(save);
    if (lines(again) != lines(sorted)) std::abort();
    if (searches(sorted) <= 1 && again != sorted) std::abort();
    in->irwrote = 1;
    Iriddspy(in.get(), out.get());
    if (out->nlines < 0 || out->nlines > kPageLines || in->nsat < 0 || in->nsat > kMaxSat) std::abort();
    return 0;
}
