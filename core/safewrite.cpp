#include "core/safewrite.h"

#include <string>

bool ReplaceFile(const char* path, const std::function<void(std::FILE*)>& fill)
{
    const std::string temp = std::string(path) + kSafeWriteSuffix;
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    fill(f);
    bool ok = std::fflush(f) == 0 && !std::ferror(f);
    ok = std::fclose(f) == 0 && ok;
    if (ok && std::rename(temp.c_str(), path) == 0) return true;
    std::remove(temp.c_str());
    return false;
}

bool WriteFile(const char* path, bool replace, const std::function<void(std::FILE*)>& fill)
{
    if (replace) return ReplaceFile(path, fill);
    std::FILE* f = std::fopen(path, "ab");
    if (!f) return false;
    fill(f);
    const bool ok = std::fflush(f) == 0 && !std::ferror(f);
    return std::fclose(f) == 0 && ok;
}
