// Writing a file so that a failed write (crash, full disk) leaves the file the user already has
// intact: the new content goes to a uniquely named temporary file beside it, which is synced and
// then renamed over it. The replaced file keeps its mode; a symbolic link keeps pointing to it.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// New content for one file, collected in a temporary file in the same directory until commit().
// A replacement that is never committed is removed and leaves the file as it was.
class Replacement {
public:
    // Prepares the replacement of path (through any symbolic links to the file they name).
    explicit Replacement(const char* path);
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    // The open temporary file (for writing and reading back), or null when it could not be created.
    std::FILE* file() const { return temp; }
    // Flushes and syncs the content, gives it the old file's mode and renames it over the file.
    // Returns false (the temporary file removed, the file untouched) when any step fails.
    bool commit();

private:
    void discard();

    std::string target;  // the file replaced: path with its symbolic links resolved
    std::string tempName;
    std::FILE* temp = nullptr;
};

// Writes path with fill through a Replacement. Returns false (path untouched) when any step fails.
bool ReplaceFile(const char* path, const std::function<void(std::FILE*)>& fill);

// Replaces the file to with a copy of the file from. Returns false (to untouched) when from cannot
// be read or to not written.
bool CopyFile(const char* from, const char* to);

// Writes path with fill: through ReplaceFile when replace is set, else appending to it.
// Returns false when the file cannot be opened or written.
bool WriteFile(const char* path, bool replace, const std::function<void(std::FILE*)>& fill);
