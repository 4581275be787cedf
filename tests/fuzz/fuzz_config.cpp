// Configuration reader over arbitrary bytes. A configuration that reads must also survive a
// write and a second read, and the second write must repeat the first byte for byte. The stored
// names are search names; the program writes the names found for them, here the same names.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "core/config.h"
#include "core/defaults.h"

namespace {

// A file of this process under the temporary directory.
std::string scratch(const char* name)
{
    const std::string file = "orbika-fuzz-" + std::to_string(getpid()) + "-" + name;
    return (std::filesystem::temp_directory_path() / file).string();
}

// Takes the search names read as the names of the selected satellites.
void selectReadNames(WinpData* in)
{
    for (int i = 0; i < in->nsat; ++i) std::memcpy(in->satname[i], in->srchname[i], sizeof in->srchname[i]);
}

std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string input = scratch("in.cfg");
    static const std::string first = scratch("first.cfg");
    static const std::string second = scratch("second.cfg");
    static const std::unique_ptr<WinpData> in = std::make_unique<WinpData>();
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    SetDefaults(in.get(), 0);
    if (getcfg(in.get(), input.c_str()) != kCfgRead) return 0;
    selectReadNames(in.get());
    if (!putcfg(in.get(), first.c_str())) std::abort();
    if (getcfg(in.get(), first.c_str()) != kCfgRead) std::abort();
    if (!putcfg(in.get(), second.c_str())) std::abort();
    if (contents(first) != contents(second)) std::abort();
    return 0;
}
