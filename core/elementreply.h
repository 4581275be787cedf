// Whether a downloaded reply holds orbit elements before it may replace an element file, and
// what it holds when it does not.
#pragma once

#include <cstdio>
#include <string>

// The largest reply body an element download accepts, bytes (256 MiB).
constexpr long long kMaxReplyBytes = 256LL << 20;

// Empty when the body in f (read from its start, size bytes) reads as element data with at least
// one valid entry; else a short description of what it is, e.g. "an HTML page, 5 123 bytes".
// contentType: the reply's Content-Type header, possibly empty.
std::string rejectReply(std::FILE* f, long long size, const std::string& contentType);

// size with its thousands separated by blanks, e.g. "5 123".
std::string groupedBytes(long long size);
