// TLE reader over arbitrary bytes: searches by name, number and designator with every filter
// setting, continued searches, and entry-by-entry reading in every element file form.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "core/defaults.h"
#include "core/tlefile.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// Bounds the continued searches and entry reads of one input, so each run ends.
constexpr int kMaxCalls = 10000;

// Search key of the work slot, chosen by the low bits of the control byte.
void setKey(WinpData* in, uint8_t control)
{
    const char* const keys[] = {"*", "ISS", "25544", "1998-067A", "", "A"};
    std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "%s",
                  keys[control % (sizeof keys / sizeof keys[0])]);
    in->srchmode = (control / 8) % 3;
    in->satno[kWorkSlot] = 25544;
    in->lowflt = (control & 0x40) != 0;
    in->recentflt = (control & 0x80) != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    static const std::unique_ptr<WinpData> in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    setKey(in.get(), data[0]);
    FILE* f = bytesStream(data + 1, size - 1);
    if (!f) return 0;
    char text[kTleTextBytes];
    {
        ElementReader r(f);
        int result = tleread(in.get(), r, text, 0);
        for (int calls = 0; result == 2 && calls < kMaxCalls; ++calls) result = tleread(in.get(), r, text, 1);
        r.rewind();
        ElementEntry e;
        for (int calls = 0; calls < kMaxCalls && r.next(e); ++calls) {}
    }
    std::fclose(f);
    return 0;
}
