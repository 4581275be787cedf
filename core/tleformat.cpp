#include "core/tleformat.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foundation/textconv.h"

namespace {

// Largest eccentricity written in the elliptic form (seven digits after an assumed "0.").
constexpr double kMaxEllipticEcc = 0.9999999;
// Perigee distances from this value on (km) are written with two decimals.
constexpr double kFarPerigee = 1.0e6;
// Largest first derivative the field can hold (eight decimals after the point).
constexpr double kMaxDerivative = 0.99999999;
// Packed field: digits of the mantissa, and the largest exponent shown (one digit).
constexpr int kMantissaDigits = 5;
constexpr long kMantissaLimit = 100000;
constexpr int kMaxExponent = 9;
// Element set numbers and revolution numbers wrap at the width of their fields.
constexpr int kElementSetLimit = 10000;
constexpr long kRevolutionLimit = 100000;

// x, or 0 when it is not a finite number.
double orzero(double x) { return std::isfinite(x) ? x : 0.0; }

// A line of 69 characters, blank where nothing is put.
class Line {
public:
    // An element line: the line digit in column 1 and the number field in columns 3-7.
    Line(char digit, const char* number) : text(kTleLineChars, ' ')
    {
        text[0] = digit;
        put(3, number);
    }
    // Puts the first characters of s (at most to the end of the line) from column col (1-based) on.
    void put(int col, const std::string& s)
    {
        const size_t at = static_cast<size_t>(col - 1);
        const size_t n = std::min(s.size(), text.size() - at);
        text.replace(at, n, s, 0, n);
    }
    // Formats x into the n columns from col on, with a decimal point in any locale.
    template <class T>
    void put(int col, int n, const char* fmt, T x)
    {
        char buf[64];
        std::snprintf(buf, sizeof buf, fmt, x);
        decdot(buf);
        put(col, std::string(buf).substr(0, static_cast<size_t>(n)));
    }
    void set(int col, char c) { text[col - 1] = c; }
    // The line with its checksum in column 69.
    std::string checked()
    {
        text[kTleLineChars - 1] = tcksum(text.c_str());
        return text;
    }

    std::string text;
};

// Line 1 columns common to TLE and state-vector entries: classification, designator, epoch,
// ephemeris type.
void putepoch(Line& l, const TleFields& f)
{
    l.set(8, std::isupper(static_cast<unsigned char>(f.classification)) ? f.classification : 'U');
    l.put(10, 8, "%-8.8s", f.designator);
    l.put(19, 2, "%02i", (f.epochyear % 100 + 100) % 100);
    l.put(21, 12, "%012.8f", orzero(f.epochday));
    l.set(63, std::isdigit(static_cast<unsigned char>(f.ephtype)) ? f.ephtype : '0');
}

}  // namespace

void cvtlef(char* out, double x)
{
    const double ax = std::fabs(orzero(x));
    int exponent = 0;  // ax = 0.mmmmm x 10^exponent
    long mantissa = 0;
    if (ax > 0.0) {
        exponent = static_cast<int>(std::floor(std::log10(ax))) + 1;
        exponent = std::clamp(exponent, -kMaxExponent, kMaxExponent + 1);
        mantissa = std::lround(ax * std::pow(10.0, kMantissaDigits - exponent));
        if (mantissa >= kMantissaLimit) {  // rounded up to the next power of ten
            mantissa /= 10;
            ++exponent;
        }
        if (exponent > kMaxExponent) {  // too large for the field: its largest value
            mantissa = kMantissaLimit - 1;
            exponent = kMaxExponent;
        }
    }
    char buf[32];  // mantissa and exponent are in range, so the text has 8 characters
    std::snprintf(buf, sizeof buf, "%c%05li%c%1i", x < 0.0 ? '-' : ' ', mantissa, exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    std::memcpy(out, buf, kPackedFieldBytes - 1);
    out[kPackedFieldBytes - 1] = '\0';
}

char tcksum(const char* line)
{
    int sum = 0;
    for (int i = 0; i < kTleLineChars - 1 && line[i]; ++i) {
        if (line[i] >= '0' && line[i] <= '9') sum += line[i] - '0';
        if (line[i] == '-') ++sum;
    }
    return static_cast<char>('0' + sum % 10);
}

std::string TleDerivativeField(double ndot)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.8f", std::min(std::fabs(orzero(ndot)), kMaxDerivative));
    decdot(buf);
    return (ndot < 0.0 ? "-" : " ") + std::string(buf + 1);  // without the leading '0'
}

bool FormatTleLine1(const TleFields& f, std::string& line)
{
    char number[6];
    if (!TleNumberField(f.satno, number)) return false;
    Line l('1', number);
    putepoch(l, f);
    if (f.statevector) {
        l.put(34, 5, "%5i", std::abs(f.svrevolution % static_cast<int>(kRevolutionLimit)));
        l.put(40, kStateVectorMarker);
        l.set(kTleLineChars, '1');
        line = l.text;
        return true;
    }
    l.put(34, TleDerivativeField(f.ndot));
    char packed[kPackedFieldBytes];
    cvtlef(packed, f.nddot);
    l.put(45, packed);
    cvtlef(packed, f.bstar);
    l.put(54, packed);
    l.put(65, 4, "%4i", std::abs(f.elsetno % kElementSetLimit));
    line = l.checked();
    return true;
}

bool FormatTleLine2(const TleFields& f, std::string& line)
{
    char number[6];
    if (!TleNumberField(f.satno, number)) return false;
    Line l('2', number);
    const double e = orzero(f.ecc);
    l.put(9, 8, "%8.4f", orzero(f.incl));
    l.put(18, 8, "%8.4f", orzero(f.node));
    if (e < 1.0) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%9.7f", std::clamp(e, 0.0, kMaxEllipticEcc));
        l.put(27, std::string(buf + 2, 7));  // without the leading "0."
    } else {
        l.put(26, 8, "%8.5f", e);
    }
    l.put(35, 8, "%8.4f", orzero(f.argp));
    l.put(44, 8, "%8.4f", orzero(f.manom));
    const double n = orzero(f.mm);
    l.put(53, 11, e < 1.0 ? "%11.8f" : (n < kFarPerigee ? "%11.4f" : "%11.2f"), n);
    l.put(64, 5, "%5li", std::labs(f.revolution % kRevolutionLimit));
    line = l.checked();
    return true;
}
