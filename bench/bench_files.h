// Bundled files the benchmarks read: the build copies the TLE files next to the programs.
#pragma once

#include <unistd.h>

#include <climits>
#include <string>

// Path of the bundled file name in the directory of the running benchmark program.
inline std::string BundledFile(const std::string& name)
{
    char exe[PATH_MAX] = {};
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    const std::string path = n > 0 ? std::string(exe, n) : std::string();
    return path.substr(0, path.find_last_of('/') + 1) + name;
}
