#include "output.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "foundation/textconv.h"

void emit(const char* format, ...)
{
    va_list args, copy;
    va_start(args, format);
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n > 0) {
        std::string text(static_cast<size_t>(n) + 1, '\0');
        std::vsnprintf(text.data(), text.size(), format, args);
        decdot0(text.data());
        std::fputs(text.c_str(), stdout);
    }
    va_end(args);
}

void complain(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::fputs("orbika-cli: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
    va_end(args);
}
