// The sgp4 command's reader over arbitrary bytes: every entry it keeps has a bounded, finite,
// ascending run of times.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <memory>
#include <string>

#include "tools/orbika-cli/sgp4_reader.h"

namespace {
// Most times of one entry: a million steps and the stop.
constexpr size_t kMaxTimes = 1000001;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(fmemopen(text.data(), text.size(), "r"), &std::fclose);
    if (!f) return 0;
    ElementReader reader(f.get());
    for (ElementEntry read; reader.next(read);) {
        Entry e;
        if (!makeEntry(read, e)) continue;
        if (e.times.empty() || e.times.size() > kMaxTimes) std::abort();
        for (size_t k = 0; k < e.times.size(); ++k)
            if (!std::isfinite(e.times[k]) || (k > 0 && e.times[k] < e.times[k - 1])) std::abort();
    }
    return 0;
}
