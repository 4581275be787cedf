#include "core/settingsdir.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/safewrite.h"

const std::vector<std::string> kBundledFiles = {"visual.txt", "IRIDIUM.TXT"};

namespace {

// Name of the program's directory below the user's configuration directory.
constexpr const char* kAppDirName = "orbika";

// The user's configuration directory (XDG base directory rules).
std::string configHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config";
}

}  // namespace

std::string SettingsDir(const std::string& programDir)
{
    if (access(programDir.c_str(), W_OK | X_OK) == 0) return programDir;
    return configHome() + "/" + kAppDirName;
}

bool PrepareSettingsDir(const std::string& dir, const std::string& programDir, const std::vector<std::string>& files)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir, ec)) return false;
    for (const std::string& name : files) {
        const std::string target = dir + "/" + name;
        if (!std::filesystem::exists(target, ec)) CopyFile((programDir + "/" + name).c_str(), target.c_str());
    }
    return true;
}
