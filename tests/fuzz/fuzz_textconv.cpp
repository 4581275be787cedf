// Number readers over arbitrary bytes: Atof on the whole text and Fscanf line by line.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/textconv.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// Most numbers asked of one Fscanf line.
constexpr int kMaxFields = 8;
// Bounds the lines read from one input.
constexpr int kMaxLines = 10000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    // Atof only ever returns finite numbers: non-numbers and overflows read as 0.
    if (!std::isfinite(Atof(text.c_str()))) std::abort();
    FILE* f = bytesStream(data + 1, size - 1);
    if (!f) return 0;
    const int n = 1 + data[0] % kMaxFields;
    double v[kMaxFields];
    for (int lines = 0; !std::feof(f) && lines < kMaxLines; ++lines)
        if (Fscanf(f, n, v) == 1)
            for (int k = 0; k < n; ++k)
                if (!std::isfinite(v[k])) std::abort();
    std::fclose(f);
    return 0;
}
