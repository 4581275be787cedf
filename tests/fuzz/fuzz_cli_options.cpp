// orbika-cli option parsing over arbitrary arguments: the input's NUL-separated pieces are the
// arguments. Flags are taken out first, as the commands do, then the common options are read
// and the start time, when given, is turned into an MJD and back into text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_input.h"
#include "tools/orbika-cli/options.h"

namespace {
// Bounds the arguments of one input.
constexpr size_t kMaxArgs = 64;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args = splitArgs(data, size, kMaxArgs);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    std::vector<bool> given;
    std::vector<char*> rest = takeFlags(static_cast<int>(argv.size()), argv.data(), {"--names", "--all"}, given);
    CommonOptions o;
    if (!parseCommon("fuzz", static_cast<int>(rest.size()), rest.data(), {"--step", "--out"}, o)) return 0;
    if (o.start) isoTime(civilMjd(*o.start, o.tz));
    return 0;
}
