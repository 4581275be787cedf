#include "output.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace {
// Writes the formatted text to f while the C locale is in force for this thread,
// so a decimal-comma environment cannot change the numbers.
void writeInCLocale(std::FILE* f, const char* format, va_list args)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(cLocale);
    std::vfprintf(f, format, args);
    uselocale(previous);
}
}  // namespace

void emit(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    writeInCLocale(stdout, format, args);
    va_end(args);
}

void complain(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::fputs("orbika-cli: ", stderr);
    writeInCLocale(stderr, format, args);
    std::fputc('\n', stderr);
    va_end(args);
}
