#include "foundation/textconv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

#include "foundation/arith.h"

namespace {
// Longest line Fscanf reads; a longer one reads as no numbers rather than as numbers cut short.
constexpr size_t kScanLineLimit = 4096;
// Magnitude from which the sexagesimal forms are meaningless (whole units no longer fit an int).
constexpr double kSexagesimalLimit = 1e9;
// Seconds from which DegFDms rounds up to the next minute.
constexpr double kSecondsRoundUp = 59.5;
// Relative and absolute nudges of DmsDegF that keep 10.30 from reading as 29.999... minutes.
constexpr double kDmsScaleNudge = 3.33e-16;
constexpr double kDmsMinuteNudge = 1e-13;
// prpang: largest magnitude printed, so a field never exceeds 12 characters (plus NUL).
constexpr double kAngleFieldLimit = 999999.0;
constexpr int kAngleFieldBytes = 13;
// prpang: shift of a d.mmss value that makes two-decimal rounding round 30 s and more up.
constexpr double kHalfMinuteShift = 0.002;
// prpang: the decimal point is looked for in the first characters only.
constexpr int kPointSearch = 7;
// Degree sign of ISO 8859-1.
constexpr char kDegreeSign = '\xB0';
// Digits of the largest whole number written directly; larger numbers and NaN go through printf.
constexpr int kWholeDigits = 20;
constexpr double kDirectWholeLimit = 1e18;
// Bytes of the longest whole number printf writes (DBL_MAX has 309 digits), with sign and terminator.
constexpr int kWholeTextBytes = 320;
// Month abbreviations by month number, "ERR" for none.
constexpr char kMonthNames[13][4] = {"ERR", "JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                     "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// ASCII white space: blank, tab, line feed, vertical tab, form feed, carriage return.
bool isWhite(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// ASCII lower case, the same in every locale.
char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Number in [b, e) with surrounding white space; 0 when the text is not entirely one finite number
// (overflowing exponents, "inf" and "nan" included).
double parseNumber(const char* b, const char* e)
{
    while (b < e && isWhite(*b)) ++b;
    while (e > b && isWhite(e[-1])) --e;
    if (b < e && *b == '+') {
        ++b;
        if (b < e && *b == '-') return 0.0;  // "+-" is not a number
    }
    double v = 0.0;
    const auto [end, ec] = std::from_chars(b, e, v, std::chars_format::general);
    if (ec != std::errc() || end != e || !std::isfinite(v)) return 0.0;
    return v;
}

// Reads one whole line of f, keeping at most keep bytes (newline included) in line.
// Returns false when the file had no character left.
bool readLine(FILE* f, std::string& line, size_t keep)
{
    line.clear();
    bool any = false;
    for (int c; (c = std::getc(f)) != EOF;) {
        any = true;
        if (line.size() < keep) line.push_back(static_cast<char>(c));
        if (c == '\n') break;
    }
    return any;
}

// True for a line with nothing before its line end.
bool isEmptyLine(const std::string& line) { return line.empty() || line == "\n" || line == "\r\n"; }

// x with its sign given back: the unsigned result r of a conversion of |x|.
double withSign(double x, double r) { return x < 0 ? -r : r; }

// Writes a minus sign when negative and the digits of magnitude right-aligned in width characters,
// padded with fill: blanks go before the sign, zeros after it. Returns the end of the text.
char* putDigits(char* out, bool negative, unsigned long long magnitude, int width, char fill)
{
    char digits[kWholeDigits];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    const int padding = width - n - (negative ? 1 : 0);
    if (fill == ' ') out = std::fill_n(out, std::max(padding, 0), ' ');
    if (negative) *out++ = '-';
    if (fill != ' ') out = std::fill_n(out, std::max(padding, 0), fill);
    return std::reverse_copy(digits, digits + n, out);
}
}  // namespace

void decdot(char* s)
{
    for (; *s && *s != '('; ++s)
        if (*s == ',') *s = '.';
}

void decdot0(char* s)
{
    for (; *s; ++s)
        if (*s == ',') *s = '.';
}

double Atof(const char* s)
{
    return s ? parseNumber(s, s + std::strlen(s)) : 0.0;
}

int Fscanf(FILE* f, int n, double* v)
{
    std::string text;
    if (!f || !readLine(f, text, kScanLineLimit + 1) || isEmptyLine(text) || text.size() > kScanLineLimit) return 0;
    // Tokens are separated by blanks only; the line end stays with the last token.
    const char* p = text.c_str();
    for (int stored = 0; stored < n; ++stored) {
        while (*p == ' ') ++p;
        if (!*p) return 0;
        const char* end = p;
        while (*end && *end != ' ') ++end;
        v[stored] = parseNumber(p, end);
        p = end;
    }
    return 1;
}

// Both strings at least n long: their first n characters are compared. One of them shorter: they
// differ, unless both have the same non-zero length, when they are compared in full.
int Strncmpi(const char* a, const char* b, int n)
{
    if (n <= 0) return 1;
    const size_t la = std::strlen(a);
    const size_t lb = std::strlen(b);
    size_t count = static_cast<size_t>(n);
    if (la < count || lb < count) {
        if (la != lb || la == 0) return 1;
        count = la;
    }
    for (size_t i = 0; i < count; ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return 1;
    return 0;
}

void GetMonth(int month, char* out) { std::memcpy(out, kMonthNames[(month >= 1 && month <= 12) ? month : 0], 4); }

int MonthNumber(const char* s)
{
    for (int month = 1; month <= 12; ++month)
        if (std::memcmp(s, kMonthNames[month], 3) == 0) return month;
    return 0;
}

char* PutInt(char* out, int value, int width, char fill)
{
    const bool negative = value < 0;
    const unsigned long long magnitude = negative ? 0ULL - static_cast<long long>(value) : static_cast<unsigned long long>(value);
    return putDigits(out, negative, magnitude, width, fill);
}

char* PutWhole(char* out, double x, int width)
{
    if (std::fabs(x) < kDirectWholeLimit)
        return putDigits(out, std::signbit(x), static_cast<unsigned long long>(std::fabs(std::nearbyint(x))), width, ' ');
    char text[kWholeTextBytes];
    const int n = std::snprintf(text, sizeof text, "%*.0f", width, x);
    return std::copy(text, text + std::clamp(n, 0, kWholeTextBytes - 1), out);
}

double hdfdms(double x)
{
    if (!(std::fabs(x) < kSexagesimalLimit)) return x;
    int h, m;
    double s;
    dms(std::fabs(x), h, m, s);
    if (s > 30.0) ++m;
    return withSign(x, m == 60 ? h + 1.0 : h + m / 100.0);
}

double DegFDms(double x)
{
    if (!(std::fabs(x) < kSexagesimalLimit)) return x;
    int d, m;
    double s;
    dms(std::fabs(x), d, m, s);
    double secpart = s / 10000.0;
    if (s >= kSecondsRoundUp) {
        ++m;
        secpart = 0.0;
    }
    if (m == 60) {
        ++d;
        m = 0;
        secpart = 0.0;
    }
    return withSign(x, d + m / 100.0 + secpart);
}

double DmsDegF(double x)
{
    if (!(std::fabs(x) < kSexagesimalLimit)) return x;
    const double y = std::fabs(x) * (1.0 + kDmsScaleNudge);
    const double whole = std::trunc(y);
    const int minutes = static_cast<int>(100.0 * (y - whole) + kDmsMinuteNudge);
    const double seconds = 100.0 * frac(100.0 * y);
    return withSign(x, ddd(static_cast<int>(whole), minutes, seconds));
}

void prpang(char* out, int digits4, int mode, double x)
{
    double v = std::isnan(x) ? x : std::clamp(x, -kAngleFieldLimit, kAngleFieldLimit);
    if (mode == 0) {
        std::snprintf(out, kAngleFieldBytes, digits4 ? "%9.3lf" : "%7.2lf", v);
        decdot0(out);
        return;
    }
    if (mode > 0) v = DegFDms(v);
    if (!digits4) v += v < 0 ? -kHalfMinuteShift : kHalfMinuteShift;
    std::snprintf(out, kAngleFieldBytes, digits4 ? "%9.4lf" : "%7.2lf", v);
    decdot0(out);  // the C library may have written a decimal comma
    char* point = static_cast<char*>(std::memchr(out, '.', std::min<size_t>(std::strlen(out), kPointSearch)));
    if (point) *point = mode >= -1 ? kDegreeSign : 'h';
}
