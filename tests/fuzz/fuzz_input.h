// Helpers shared by the fuzz targets: the fuzzer's bytes as a read-only stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// A stream reading the size bytes at data; nullptr when it cannot be made. fmemopen refuses an
// empty buffer, so an empty input is an empty temporary file.
inline FILE* bytesStream(const uint8_t* data, size_t size)
{
    if (size == 0) return std::tmpfile();
    return fmemopen(const_cast<uint8_t*>(data), size, "r");
}
