#include "core/tlefields.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "astro/timescales.h"
#include "core/meanmotion.h"
#include "foundation/textconv.h"

namespace {

// Smallest mean motion stored, rev/day.
constexpr double kMinMeanMotion = 1.0e-30;

// Two-digit epoch years above this are 19xx, the others 20xx.
constexpr int kLastYearOf1900s = 56;

// Length of a line up to its first CR, LF or NUL.
size_t linelength(const char* line)
{
    return std::strcspn(line, "\r\n");
}

// Columns first..last (1-based) of a line of length len; shorter when the line ends earlier.
std::string columns(const char* line, size_t len, size_t first, size_t last)
{
    if (first > len) return std::string();
    return std::string(line + first - 1, std::min(last, len) - first + 1);
}

// Packed exponential field: five-digit mantissa with assumed leading "0." (sign in front) in
// columns first..first+5 and a signed exponent digit in the two columns after them.
double packed(const char* line, size_t len, size_t first)
{
    const int mantissa = std::atoi(columns(line, len, first, first + 5).c_str());
    const int exponent = std::atoi(columns(line, len, first + 6, first + 7).c_str());
    return 1.0e-5 * mantissa * std::pow(10.0, exponent);
}

// Number in columns first..last, converted locale-independently (0 when not a number).
double number(const char* line, size_t len, size_t first, size_t last)
{
    return Atof(columns(line, len, first, last).c_str());
}

// True when the line starts with the marker digit and reaches column kTleMinLength.
bool iselementline(const char* line, char marker, size_t& len)
{
    if (!line || line[0] != marker) return false;
    len = linelength(line);
    return len >= static_cast<size_t>(kTleMinLength);
}

// Whole number of a converted field, limited to +/-1e9 so that it fits an int.
long whole(double x)
{
    return std::isfinite(x) ? static_cast<long>(std::clamp(x, -1.0e9, 1.0e9)) : 0;
}

bool samenocase(const std::string& a, const char* b)
{
    return a.size() == std::strlen(b) &&
           std::equal(a.begin(), a.end(), b, [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Alpha-5 letters in order of their values 10, 11, ... 33.
constexpr char kAlpha5Letters[] = "ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr int kAlpha5FirstValue = 10;
constexpr int kAlpha5Unit = 10000;

}  // namespace

int TleCatalogueNumber(const char* field)
{
    char digits[6];
    std::snprintf(digits, sizeof digits, "%5s", field);
    int lead = 0;
    const char* letter = std::strchr(kAlpha5Letters, std::toupper(static_cast<unsigned char>(digits[0])));
    if (letter && *letter) {
        lead = (kAlpha5FirstValue + static_cast<int>(letter - kAlpha5Letters)) * kAlpha5Unit;
        digits[0] = ' ';
    }
    const char* s = digits + std::strspn(digits, " ");
    if (*s == '\0' || std::strspn(s, "0123456789") != std::strlen(s)) return -1;
    return lead + std::atoi(s);
}

bool TleNumberField(int satno, char* out)
{
    if (satno < 0 || satno > kLastAlpha5Number) return false;
    if (satno < kAlpha5FirstValue * kAlpha5Unit) {
        std::snprintf(out, 6, "%05i", satno);
        return true;
    }
    std::snprintf(out, 6, "%c%04i", kAlpha5Letters[satno / kAlpha5Unit - kAlpha5FirstValue], satno % kAlpha5Unit);
    return true;
}

bool ParseTleLine1(const char* line, TleFields& f)
{
    size_t len = 0;
    if (!iselementline(line, '1', len)) return false;
    TleFields p = f;
    p.satno = std::max(0, TleCatalogueNumber(columns(line, len, 3, 7).c_str()));
    p.classification = line[7];
    const std::string designator = columns(line, len, 10, 17);
    std::memset(p.designator, 0, sizeof p.designator);
    std::memcpy(p.designator, designator.data(), designator.size());
    p.epochyear = static_cast<int>(whole(number(line, len, 19, 20)));
    p.epochday = number(line, len, 21, 32);
    p.ndot = number(line, len, 34, 43);
    p.nddot = packed(line, len, 45);
    p.bstar = packed(line, len, 54);
    p.ephtype = line[62];
    p.elsetno = static_cast<int>(whole(number(line, len, 65, 68)));
    p.statevector = samenocase(columns(line, len, 40, 58), kStateVectorMarker);
    p.svrevolution = p.statevector ? static_cast<int>(whole(number(line, len, 34, 38))) : 0;
    f = p;
    return true;
}

bool ParseTleLine2(const char* line, TleFields& f)
{
    size_t len = 0;
    if (!iselementline(line, '2', len)) return false;
    TleFields p = f;
    p.incl = number(line, len, 9, 16);
    p.node = number(line, len, 18, 25);
    if (line[27] == '.')
        p.ecc = number(line, len, 26, 33);
    else
        p.ecc = Atof(("0." + columns(line, len, 27, 33)).c_str());
    p.argp = number(line, len, 35, 42);
    p.manom = number(line, len, 44, 51);
    p.mm = number(line, len, 53, 63);
    p.revolution = len >= 68 ? whole(number(line, len, 64, 68)) : 0;
    f = p;
    return true;
}

double TleEpochMjd(int year2, double day)
{
    const int year = year2 > kLastYearOf1900s ? 1900 + year2 : 2000 + year2;
    // Keep the day count in the range of an int for nonsense input.
    const double days = std::isfinite(day) ? std::clamp(day, -1.0e6, 1.0e6) : 0.0;
    const double d = std::floor(days);
    return mjd(static_cast<int>(d), 1, year, 24.0 * (days - d));
}

void StoreTle(WinpData* in, int slot, const TleFields& f)
{
    in->satno[slot] = f.satno;
    in->elepoch[slot] = TleEpochMjd(f.epochyear, f.epochday);
    in->elndot[slot] = f.ndot;
    in->elnddot[slot] = f.nddot;
    in->elbstar[slot] = f.bstar;
    in->elsetno[slot] = f.elsetno;
    in->elrevno[slot] = f.revolution;
    in->sgp4flg[slot] = f.ephtype == '9' ? 0 : 1;
    in->numflg[slot] = 0;
    in->elincl[slot] = f.incl;
    in->elnode[slot] = f.node;
    in->elecc[slot] = f.ecc;
    in->elargp[slot] = f.argp;
    in->elmanom[slot] = f.manom;

    const double n = std::max(f.mm, kMinMeanMotion);
    in->elmm[slot] = n;
    double a = n;  // ecc >= 1: the field holds the perigee distance q
    in->eladot[slot] = 0.0;
    if (f.ecc < 1.0) {
        a = getsax(in->sgp4flg[slot], n, f.ecc, f.incl);
        in->eladot[slot] = -4.0 / 3.0 * a / n * f.ndot;
    } else if (1.0 - f.ecc < 0.0) {
        a = n / (1.0 - f.ecc);
    }
    in->elsma[slot] = a;
}

TleFields SlotTleFields(const WinpData* in, int slot)
{
    TleFields f{};
    f.satno = in->satno[slot];
    f.classification = 'U';
    ShortDesignator(in->intldsn[slot], f.designator);
    int day = 0, month = 0, year = 0;
    double hour = 0.0;
    caldat(in->elepoch[slot], day, month, year, hour);
    f.epochyear = (year % 100 + 100) % 100;
    f.epochday = in->elepoch[slot] - mjd(1, 1, year, 0.0) + 1.0;
    f.ndot = in->elndot[slot];
    f.nddot = in->elnddot[slot];
    f.bstar = in->elbstar[slot];
    f.ephtype = in->sgp4flg[slot] ? '0' : '9';
    f.elsetno = in->elsetno[slot];
    f.statevector = in->numflg[slot] != 0;
    f.svrevolution = 0;  // state-vector entries are written with revolution 0
    f.incl = in->elincl[slot];
    f.node = in->elnode[slot];
    f.ecc = in->elecc[slot];
    f.argp = in->elargp[slot];
    f.manom = in->elmanom[slot];
    f.mm = in->elmm[slot];
    f.revolution = in->elrevno[slot];
    return f;
}

void ShortDesignator(const char* longform, char* out)
{
    const int from[kShortDesignatorChars] = {2, 3, 5, 6, 7, 8, 9, 10};
    const size_t len = std::strlen(longform);
    for (int i = 0; i < kShortDesignatorChars; ++i) {
        const size_t k = static_cast<size_t>(from[i]);
        out[i] = k < len && longform[k] ? longform[k] : ' ';
    }
    out[kShortDesignatorChars] = '\0';
}
