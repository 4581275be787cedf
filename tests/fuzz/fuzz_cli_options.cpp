// orbika-cli option parsing over arbitrary arguments: the input's NUL-separated pieces are the
// arguments. Flags are taken out first, as the commands do, then the common options are read
// and the start time, when given, is turned into an MJD and back into text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/orbika-cli/options.h"

namespace {

// Bounds the arguments of one input.
constexpr size_t kMaxArgs = 64;

std::vector<std::string> splitArgs(const uint8_t* data, size_t size)
{
    std::vector<std::string> args(1);
    for (size_t k = 0; k < size && args.size() <= kMaxArgs; ++k) {
        if (data[k] == '\0')
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[k]);
    }
    return args;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> args = splitArgs(data, size);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    std::vector<bool> given;
    std::vector<char*> rest = takeFlags(static_cast<int>(argv.size()), argv.data(), {"--names", "--all"}, given);
    CommonOptions o;
    if (!parseCommon("fuzz", static_cast<int>(rest.size()), rest.data(), {"--step", "--out"}, o)) return 0;
    if (o.start) isoTime(civilMjd(*o.start, o.tz));
    return 0;
}
