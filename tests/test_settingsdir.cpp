#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/settingsdir.h"
#include "pass_reference.h"
#include "scoped_env.h"

TEST(SettingsDir, ProgramDirWhenWritableElseTheUsersConfigDir)
{
    namespace fs = std::filesystem;
    ScopedTempDir dir;
    const std::string here = fs::current_path().string();
    fs::create_directory("prog");
    std::ofstream("prog/visual.txt") << "bundled visual\n";
    std::ofstream("prog/IRIDIUM.TXT") << "bundled iridium\n";
    EXPECT_EQ(SettingsDir(here + "/prog"), here + "/prog");
    // A program directory nobody may write (root writes everywhere, so also one below a file).
    std::ofstream("file") << "x";
    std::vector<std::string> locked = {here + "/file/prog"};
    fs::permissions("prog", fs::perms::owner_read | fs::perms::owner_exec);
    if (geteuid() != 0) locked.push_back(here + "/prog");
    for (const std::string& prog : locked) {
        SCOPED_TRACE(prog);
        {
            ScopedEnv xdg("XDG_CONFIG_HOME", (here + "/xdg").c_str());
            EXPECT_EQ(SettingsDir(prog), here + "/xdg/orbika");
        }
        ScopedEnv xdg("XDG_CONFIG_HOME", nullptr);
        ScopedEnv home("HOME", (here + "/home").c_str());
        EXPECT_EQ(SettingsDir(prog), here + "/home/.config/orbika");
    }
    // The first start copies the bundled files; later starts keep the user's own.
    ASSERT_TRUE(PrepareSettingsDir(here + "/home/.config/orbika", here + "/prog"));
    EXPECT_EQ(readFile("home/.config/orbika/visual.txt"), "bundled visual\n");
    EXPECT_EQ(readFile("home/.config/orbika/IRIDIUM.TXT"), "bundled iridium\n");
    std::ofstream("home/.config/orbika/visual.txt") << "updated\n";
    ASSERT_TRUE(PrepareSettingsDir(here + "/home/.config/orbika", here + "/prog"));
    EXPECT_EQ(readFile("home/.config/orbika/visual.txt"), "updated\n");
    EXPECT_FALSE(PrepareSettingsDir(here + "/file/sub", here + "/prog"));
    fs::permissions("prog", fs::perms::owner_all);
}
