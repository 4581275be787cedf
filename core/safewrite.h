// Writing a file so that a failed write (crash, full disk) leaves the file the user already has
// intact: the new content goes to a temporary file beside it, which is then renamed over it.
#pragma once

#include <cstdio>
#include <functional>

// Suffix of the temporary file written beside the file it replaces.
constexpr const char* kSafeWriteSuffix = ".tmp";

// Writes path with fill through the temporary file path + kSafeWriteSuffix and a rename.
// Returns false (the temporary file removed, path untouched) when any step fails.
bool ReplaceFile(const char* path, const std::function<void(std::FILE*)>& fill);

// Writes path with fill: through ReplaceFile when replace is set, else appending to it.
// Returns false when the file cannot be opened or written.
bool WriteFile(const char* path, bool replace, const std::function<void(std::FILE*)>& fill);
