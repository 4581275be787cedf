// Where the program keeps its settings, result files and downloaded element files.
#pragma once

#include <string>
#include <vector>

// Element files bundled with the program, copied into a fresh settings directory.
extern const std::vector<std::string> kBundledFiles;

// The settings directory: programDir when the program may write there (a copy the user unpacked),
// else $XDG_CONFIG_HOME/orbika, by default $HOME/.config/orbika.
std::string SettingsDir(const std::string& programDir);

// Makes dir with its parents and copies each of files from programDir into it unless dir
// already has it. Returns false when dir cannot be made.
bool PrepareSettingsDir(const std::string& dir, const std::string& programDir,
                        const std::vector<std::string>& files = kBundledFiles);
