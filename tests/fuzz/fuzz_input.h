// Helpers shared by the fuzz targets: the fuzzer's bytes as a stream, as values or as a file.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A file of this process under the temporary directory.
inline std::string scratch(const char* name)
{
    const std::string file = "orbika-fuzz-" + std::to_string(getpid()) + "-" + name;
    return (std::filesystem::temp_directory_path() / file).string();
}

// Bytes of the file at path (empty when it cannot be read).
inline std::string contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Replaces the file at path by the size bytes at data.
inline void writeBytes(const std::string& path, const void* data, size_t size)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// A stream reading the size bytes at data; nullptr when it cannot be made. fmemopen refuses an
// empty buffer, so an empty input is an empty temporary file.
inline FILE* bytesStream(const uint8_t* data, size_t size)
{
    if (size == 0) return std::tmpfile();
    return fmemopen(const_cast<uint8_t*>(data), size, "r");
}

// Takes values off the fuzzer's bytes in order; once they run out every value is zero.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    // The next eight bytes as a double, any bit pattern (NaN, infinities and subnormals too).
    double number()
    {
        double x = 0.0;
        take(&x, sizeof x);
        return x;
    }
    // The next byte.
    uint8_t byte()
    {
        uint8_t b = 0;
        take(&b, 1);
        return b;
    }

private:
    void take(void* out, size_t n)
    {
        if (size_ - used_ < n) return;
        std::memcpy(out, data_ + used_, n);
        used_ += n;
    }
    const uint8_t* data_;
    size_t size_;
    size_t used_ = 0;
};

// The input's NUL-separated pieces, as command-line arguments; the first maxArgs + 1 are taken.
inline std::vector<std::string> splitArgs(const uint8_t* data, size_t size, size_t maxArgs)
{
    std::vector<std::string> args(1);
    for (size_t k = 0; k < size && args.size() <= maxArgs; ++k) {
        if (data[k] == '\0')
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[k]);
    }
    return args;
}
