#include "astro/datetext.h"
#include "core/textpage.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "foundation/textconv.h"

namespace {
// Added to the seconds before truncation: 59.6 s rounds to the next minute.
constexpr double kSecondRounding = 0.4999;
// Largest magnitude of the printed azimuth and elevation, so an entry stays within kAosTextBytes.
constexpr double kDirectionLimit = 9999.0;

// Appends text as the next line with the given tag byte; a full page drops it.
void appendLine(WoutData* out, char* text, char tag)
{
    decdot(text);
    if (out->nlines < 0 || out->nlines >= kPageLines) return;
    char* line = out->lines[out->nlines++];
    const size_t len = strnlen(text, kTagByte);
    std::memcpy(line, text, len);
    std::memset(line + len, 0, kLineBytes - len);
    line[kTagByte] = tag;
}

// Angle clamped to the printable range; NaN stays NaN.
double printable(double a) { return std::isnan(a) ? a : std::clamp(a, -kDirectionLimit, kDirectionLimit); }
}  // namespace

void PutNxtLn(WoutData* out, char* text) { appendLine(out, text, '\0'); }

void PutNxtLnT(WoutData* out, char* text) { appendLine(out, text, kLineTag); }

void PutSpace(WoutData* out, int n)
{
    for (int i = 0; i < n && out->nlines < kPageLines; ++i) {
        char blank[] = " ";
        PutNxtLn(out, blank);
    }
}

void aosstr(double mjd, double azim, double elev, char* text, int timeonly)
{
    int day, month, year, hour, minute;
    double sec;
    caltime(mjd, day, month, year, hour, minute, sec);
    int second = static_cast<int>(sec + kSecondRounding);
    if (second == 60) {
        if (minute < 59) {
            ++minute;
            second = 0;
        } else if (hour < 24) {
            ++hour;
            minute = 0;
            second = 0;
        }
    }
    // "MON dd  hh:mm:ss (azi,ele)", numbers right-aligned as printf's %2i, %02i and %3.0f give them.
    char* out = text;
    if (!timeonly) {
        GetMonth(month, out);
        out[3] = ' ';
        out = PutInt(out + 4, day, 2, ' ');
    }
    *out++ = ' ';
    *out++ = ' ';
    out = PutInt(out, hour, 2, ' ');
    *out++ = ':';
    out = PutInt(out, minute, 2, '0');
    *out++ = ':';
    out = PutInt(out, second, 2, '0');
    *out++ = ' ';
    *out++ = '(';
    out = PutWhole(out, printable(azim), 3);
    *out++ = ',';
    out = PutWhole(out, printable(elev), 3);
    *out++ = ')';
    *out = '\0';
}
