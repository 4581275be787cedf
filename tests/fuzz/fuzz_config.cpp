// Configuration reader over arbitrary bytes. A configuration that reads must also survive a
// write and a second read, and the second write must repeat the first byte for byte. The stored
// names are search names; the program writes the names found for them, here the same names.
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "core/config.h"
#include "core/defaults.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string input = scratch("in.cfg");
    static const std::string first = scratch("first.cfg");
    static const std::string second = scratch("second.cfg");
    static const std::unique_ptr<WinpData> in = std::make_unique<WinpData>();
    writeBytes(input, data, size);
    SetDefaults(in.get(), 0);
    if (getcfg(in.get(), input.c_str()) != kCfgRead) return 0;
    for (int i = 0; i < in->nsat; ++i) std::memcpy(in->satname[i], in->srchname[i], sizeof in->srchname[i]);
    if (!putcfg(in.get(), first.c_str())) std::abort();
    if (getcfg(in.get(), first.c_str()) != kCfgRead) std::abort();
    if (!putcfg(in.get(), second.c_str())) std::abort();
    if (contents(first) != contents(second)) std::abort();
    return 0;
}
