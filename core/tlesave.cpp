#include "core/tlesave.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "astro/timescales.h"
#include "core/selection.h"
#include "core/tlefields.h"
#include "core/safewrite.h"
#include "core/tlefile.h"
#include "foundation/textconv.h"

namespace {

// Characters of an element line; the checksum is the last one and covers the others.
constexpr int kTleLineChars = 69;
constexpr int kChecksumColumn = 69;
// Characters of the title line as written.
constexpr int kTitleChars = 40;
// Capacity of a file name of the settings record.
constexpr int kFileNameBytes = sizeof(WinpData::tlesave);
// Largest eccentricity written in the elliptic form (seven digits after an assumed "0.").
constexpr double kMaxEllipticEcc = 0.9999999;
// Perigee distances from this value on (km) are written with two decimals.
constexpr double kFarPerigee = 1.0e6;
// Packed field: largest mantissa, and the exponent limit beyond which the value is rescaled.
constexpr long kMaxMantissa = 99999;
constexpr int kExponentLimit = 10;
constexpr int kRescaleExponent = 9;
// Packed field: guard against a product such as 12344.999999999998 losing its last digit.
constexpr double kMantissaGuard = 1.0e-6;
// Values from this magnitude on do not fit the usual packed form and are written normalised.
constexpr double kPackedUsualLimit = 0.1;

// A line of 69 characters, blank where nothing is put.
struct TleLine {
    char c[kTleLineChars + 1];
    TleLine()
    {
        std::memset(c, ' ', kTleLineChars);
        c[kTleLineChars] = '\0';
    }
    // An element line: the line digit in column 1 and the catalogue number in columns 3-7.
    TleLine(char digit, int satno) : TleLine()
    {
        c[0] = digit;
        put(3, 5, "%5i", satno);
    }
    // Formats x into columns col..col+n-1 (1-based) with decimal points.
    template <class T>
    void put(int col, int n, const char* fmt, T x)
    {
        char buf[64];
        std::snprintf(buf, sizeof buf, fmt, x);
        decdot(buf);
        chcpy(c, buf, col - 1, n);
    }
    void checksum() { c[kChecksumColumn - 1] = tcksum(c); }
};

// Writes a line and its newline.
void writeline(FILE* f, const char* text)
{
    std::fputs(text, f);
    std::fputc('\n', f);
}

// Line 1 of slot: number, designator, epoch and, for TLE entries, derivatives and checksum.
TleLine line1(WinpData* in, int slot)
{
    TleLine l('1', in->satno[slot]);
    std::memcpy(in->cvintl, in->intldsn[slot], sizeof in->cvintl);
    convldsn(in, false);
    chcpy(l.c, in->tlintl, 9, 8);

    int day, month, year;
    double hour;
    caldat(in->elepoch[slot], day, month, year, hour);
    l.put(19, 2, "%02i", (year % 100 + 100) % 100);
    l.put(21, 12, "%12.8lf", in->elepoch[slot] - mjd(1, 1, year, 0.0) + 1.0);
    l.c[62] = in->sgp4flg[slot] ? '0' : '9';
    if (in->numflg[slot]) {
        l.put(34, 5, "%5i", 0);
        chcpy(l.c, kStateVectorMarker, 39, 19);
        l.c[kChecksumColumn - 1] = '1';
        return l;
    }
    const double ndot = in->elndot[slot];
    if (ndot >= 0.0) {
        l.put(34, 10, "%10.8lf", ndot);
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%11.8lf", ndot);
        decdot(buf);
        if (buf[1] == '0') std::memmove(buf + 1, buf + 2, std::strlen(buf + 1));
        chcpy(l.c, buf, 33, 10);
    }
    char packed[kPackedFieldBytes];
    cvtlef(packed, in->elnddot[slot]);
    chcpy(l.c, packed, 44, 8);
    cvtlef(packed, in->elbstar[slot]);
    chcpy(l.c, packed, 53, 8);
    l.checksum();
    return l;
}

// Line 2 of a TLE entry: the elements and the checksum.
TleLine line2(const WinpData* in, int slot)
{
    TleLine l('2', in->satno[slot]);
    const double e = in->elecc[slot];
    l.put(9, 8, "%8.4lf", in->elincl[slot]);
    l.put(18, 8, "%8.4lf", in->elnode[slot]);
    if (e < 1.0) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%9.7lf", std::clamp(e, 0.0, kMaxEllipticEcc));
        chcpy(l.c, buf + 2, 26, 7);  // without the leading "0."
    } else {
        l.put(26, 8, "%8.5lf", e);
    }
    l.put(35, 8, "%8.4lf", in->elargp[slot]);
    l.put(44, 8, "%8.4lf", in->elmanom[slot]);
    const double n = in->elmm[slot];
    l.put(53, 11, e < 1.0 ? "%11.8lf" : (n < kFarPerigee ? "%11.4lf" : "%11.2lf"), n);
    l.checksum();
    return l;
}

// One of the three further lines of a state-vector entry: the text formatted from three or
// six values, and the line digit in column 69.
void writestateline(FILE* f, char digit, const char* fmt, const double* x)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, x[0], x[1], x[2], x[3], x[4], x[5]);
    decdot(buf);
    TleLine l;
    chcpy(l.c, buf, 0, kTleLineChars - 1);
    l.c[kChecksumColumn - 1] = digit;
    writeline(f, l.c);
}

// Writes the lines 2 to 4 of the state-vector entry of slot: position, velocity, spacecraft.
void writestatevector(FILE* f, const WinpData* in, int slot)
{
    const char* vecfmt = "%20.12le %20.12le %20.12le";
    const double pos[6] = {in->svpos[0][slot], in->svpos[1][slot], in->svpos[2][slot]};
    const double vel[6] = {in->svvel[0][slot], in->svvel[1][slot], in->svvel[2][slot]};
    const double sc[6] = {in->scf107[slot], in->scf107avg[slot], in->sckp[slot],
                          in->sccd[slot],   in->sccr[slot],      in->scam[slot]};
    writestateline(f, '2', vecfmt, pos);
    writestateline(f, '3', vecfmt, vel);
    writestateline(f, '4', "%7.1lf %7.1lf %7.1lf %13.5le %13.5le %13.5le", sc);
}

// Title line: the name with line-end characters blanked, padded to 40 characters.
void writetitle(FILE* f, const char* name)
{
    char title[kTitleChars + 1];
    std::snprintf(title, sizeof title, "%-40.20s", name);
    std::replace_if(
        title, title + kTitleChars, [](char ch) { return ch == '\r' || ch == '\n'; }, ' ');
    writeline(f, title);
}

}  // namespace

int SaveTle(WinpData* in)
{
    const int nsat = std::min(in->nsat, kMaxSat);
    if (nsat <= 0) return 1;
    char name[kFileNameBytes];
    std::snprintf(name, sizeof name, "%s", in->tlesave);
    vsFileName(in, name);
    const bool written = WriteFile(name, in->tlesvnmset != 0, [&](FILE* f) {
        for (int slot = 0; slot < nsat; ++slot) {
            writetitle(f, in->satname[slot]);
            writeline(f, line1(in, slot).c);
            if (in->numflg[slot])
                writestatevector(f, in, slot);
            else
                writeline(f, line2(in, slot).c);
        }
    });
    if (!written) return 2;
    in->tlesvnmset = 0;
    return 0;
}

void cvtlef(char* out, double x)
{
    const double ax = std::fabs(x);
    if (!(ax > 0.0) || !std::isfinite(ax)) {
        std::snprintf(out, kPackedFieldBytes, " 00000-0");
        return;
    }
    long m = 0;
    int shown = 0;
    bool negexp = false;
    if (ax >= kPackedUsualLimit) {
        // Normalised 0.mmmmm x 10^p with p >= 0 (the largest field when p exceeds one digit).
        const int p = static_cast<int>(std::floor(std::log10(ax))) + 1;
        shown = std::min(p, kRescaleExponent);
        m = p > kRescaleExponent ? kMaxMantissa
                                 : static_cast<long>(ax * std::pow(10.0, 5 - p) + kMantissaGuard);
    } else {
        const double v = 10.0 * ax;
        const double lg = std::log10(v);
        const int k = static_cast<int>(lg) - 1;
        const double scale = k > -kExponentLimit ? std::pow(10.0, -k) : 1.0e9;
        m = static_cast<long>(v * scale * 10000.0 + kMantissaGuard);
        shown = k > -kExponentLimit ? -k : kRescaleExponent;
        negexp = lg < 0.0;
    }
    char buf[32];  // m and shown are in range, so the text has 8 characters
    std::snprintf(buf, sizeof buf, " %5li %1i", std::clamp(m, 0L, kMaxMantissa), shown);
    std::memcpy(out, buf, kPackedFieldBytes - 1);
    out[kPackedFieldBytes - 1] = '\0';
    if (x < 0.0) out[0] = '-';
    if (negexp) out[6] = '-';
}

char tcksum(const char* line)
{
    int sum = 0;
    for (int i = 0; i < kChecksumColumn - 1 && line[i]; ++i) {
        if (line[i] >= '0' && line[i] <= '9') sum += line[i] - '0';
        if (line[i] == '-') ++sum;
    }
    return static_cast<char>('0' + sum % 10);
}

void tlecpy(char* out, const char* in, int col, int n)
{
    const size_t len = std::strlen(in);
    const size_t first = static_cast<size_t>(std::max(col, 1) - 1);
    const size_t wanted = static_cast<size_t>(std::max(n, 0));
    const size_t count = first < len ? std::min(len - first, wanted) : 0;
    std::memcpy(out, in + std::min(first, len), count);
    out[count] = '\0';
}

void chcpy(char* line, const char* in, int col, int n)
{
    for (int i = 0; i < n && in[i]; ++i) line[col + i] = in[i];
}
