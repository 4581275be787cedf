// When each download address was last fetched, so that a second download of the same address
// within an hour asks first (public element servers limit repeated queries). The log is a small
// text file of lines "<seconds since 1970> <address>".
#pragma once

#include <ctime>
#include <string>

// Name of the log in the settings directory.
constexpr const char* kDownloadLog = "downloads.log";
// A download of the same address within this time asks first, seconds.
constexpr std::time_t kRepeatDownloadSeconds = 3600;

// When address was last downloaded according to the log file log; 0 when never.
std::time_t LastDownload(const char* log, const std::string& address);

// Records now as the last download of address in the log file log; false when it cannot be written.
bool NoteDownload(const char* log, const std::string& address, std::time_t now);
