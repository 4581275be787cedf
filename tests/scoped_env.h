// Test helpers that change process-wide state for one scope: the current directory, environment variables, the time zone.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

// Makes a fresh temporary directory current; goes back and removes it at the end of the scope.
class ScopedTempDir {
public:
    ScopedTempDir() : old_(std::filesystem::current_path())
    {
        std::string templ = (std::filesystem::temp_directory_path() / "orbika-test-XXXXXX").string();
        if (mkdtemp(templ.data())) path_ = templ;
        std::filesystem::current_path(path_);
    }
    ~ScopedTempDir()
    {
        std::error_code ec;
        std::filesystem::current_path(old_, ec);
        std::filesystem::remove_all(path_, ec);
    }
    ScopedTempDir(const ScopedTempDir&) = delete;
    ScopedTempDir& operator=(const ScopedTempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path old_, path_;
};

// Sets (or, with value null, removes) the environment variable name for the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        const char* old = std::getenv(name);
        if ((had_ = old != nullptr)) old_ = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv()
    {
        had_ ? setenv(name_.c_str(), old_.c_str(), 1) : unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool had_ = false;
    std::string old_;
};

// Sets the TZ rule (e.g. "XYZ-3" for a fixed zone 3 h east) for the scope.
class ScopedTz {
public:
    explicit ScopedTz(const char* tz) : env_("TZ", tz) { tzset(); }

private:
    struct Reload {
        ~Reload() { tzset(); }
    } reload_;  // destroyed last, after env_ has put the old rule back
    ScopedEnv env_;
};
