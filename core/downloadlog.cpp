#include "core/downloadlog.h"

#include <cstdio>
#include <fstream>
#include <map>

#include "core/safewrite.h"

namespace {

// The log's entries: address -> time.
std::map<std::string, long long> readLog(const char* log)
{
    std::map<std::string, long long> entries;
    std::ifstream f(log);
    long long t = 0;
    std::string address;
    while (f >> t && std::getline(f >> std::ws, address)) entries[address] = t;
    return entries;
}

}  // namespace

std::time_t LastDownload(const char* log, const std::string& address)
{
    const auto entries = readLog(log);
    const auto it = entries.find(address);
    return it == entries.end() ? 0 : static_cast<std::time_t>(it->second);
}

bool NoteDownload(const char* log, const std::string& address, std::time_t now)
{
    auto entries = readLog(log);
    entries[address] = now;
    return ReplaceFile(log, [&](std::FILE* f) {
        for (const auto& [a, t] : entries) std::fprintf(f, "%lld %s\n", t, a.c_str());
    });
}
