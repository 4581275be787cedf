#include "core/astrometry.h"

#include <algorithm>
#include <cmath>

#include "foundation/textconv.h"
#include "foundation/units.h"

namespace {

using angle_units::kDegToRad;
using angle_units::kPi;
using angle_units::kRadToDeg;
using angle_units::kTwoPi;

// Below these magnitudes a divisor is replaced: the gnomonic denominators by 1, the plate
// equations by 1e-20 (singular star layouts) and the pixel inversion by 1e-40.
constexpr double kTinyProjection = 1e-60;
constexpr double kTinyPlate = 1e-20;
constexpr double kTinyPixel = 1e-40;
// Pixel offsets are clamped to this magnitude so that a singular plate still gives an integer.
constexpr double kMaxPixel = 1e9;
using angle_units::kHourToRad;
// Entries of one plate equation row (X, Y, 1, -s) and the measured-point slots.
constexpr int kRowLen = 4;
constexpr int kFirstPoint = kPicStars;
constexpr int kLastPoint = kPicPoints - 1;
// picstep of the first reference star and of the first trail point.
constexpr int kFirstStep = 1;
constexpr int kFirstTrailStep = kPicStars + 1;

// d, or its replacement when |d| < tiny.
double guarded(double d, double tiny, double replacement)
{
    return std::fabs(d) < tiny ? replacement : d;
}

// d, or tiny when |d| < tiny.
double guarded(double d, double tiny) { return guarded(d, tiny, tiny); }

// Pixel offset v limited to +-kMaxPixel (not-a-number counts as off the picture).
double boundedOffset(double v)
{
    return std::isnan(v) ? kMaxPixel : std::clamp(v, -kMaxPixel, kMaxPixel);
}

// Standard coordinates xi, eta of the pixel x, y under the plate constants.
void plateStandard(const WinpData* in, int x, int y, double& xi, double& eta)
{
    const double dx = x - in->picx[0];
    const double dy = y - in->picy[0];
    xi = in->plateA[0] * dx + in->plateA[1] * dy + in->plateA[2];
    eta = in->plateB[0] * dx + in->plateB[1] * dy + in->plateB[2];
}

}  // namespace

void equplt(double ra0, double dec0, double ra, double dec, double& x, double& y)
{
    const double dra = ra - ra0;
    const double c = guarded(std::sin(dec0) * std::sin(dec) +
                                 std::cos(dec0) * std::cos(dec) * std::cos(dra),
                             kTinyProjection, 1.0);
    x = -std::cos(dec) * std::sin(dra) / c;
    y = (std::cos(dec0) * std::sin(dec) - std::sin(dec0) * std::cos(dec) * std::cos(dra)) / c;
}

void lsqfit(const double* rows, double* out)
{
    const double* r0 = rows;
    const double* r1 = rows + kRowLen;
    const double* r2 = rows + 2 * kRowLen;
    const double x1 = r1[0], y1 = r1[1], x2 = r2[0], y2 = r2[1];
    const double d = guarded(y1 * x2 - y2 * x1, kTinyPlate);
    const double b = ((x1 - x2) * r0[3] + (r2[3] * x1 - r1[3] * x2)) / d;
    out[2] = r0[3];
    out[1] = b;
    out[0] = -(b * y1 + r0[3] + r1[3]) / guarded(x1, kTinyPlate);
}

void getPlateConst(WinpData* in)
{
    double rowsA[kPicStars * kRowLen];
    double rowsB[kPicStars * kRowLen];
    for (int i = 0; i < kPicStars; ++i) {
        double xi, eta;
        equplt(in->picra[0], in->picdec[0], in->picra[i], in->picdec[i], xi, eta);
        const double row[] = {double(in->picx[i] - in->picx[0]),
                              double(in->picy[i] - in->picy[0]), 1.0};
        for (int k = 0; k < kRowLen - 1; ++k)
            rowsA[i * kRowLen + k] = rowsB[i * kRowLen + k] = row[k];
        rowsA[i * kRowLen + 3] = -xi;
        rowsB[i * kRowLen + 3] = -eta;
    }
    lsqfit(rowsA, in->plateA);
    lsqfit(rowsB, in->plateB);
}

void getRaDec(const WinpData* in, int x, int y, double& ra, double& dec)
{
    double xi, eta;
    plateStandard(in, x, y, xi, eta);
    const double ra0 = in->picra[0];
    const double dec0 = in->picdec[0];
    const double d = guarded(std::cos(dec0) - std::sin(dec0) * eta, kTinyProjection, 1.0);
    double alpha = std::fmod(std::atan2(-xi, d) + ra0, kTwoPi);
    if (alpha < 0)
        alpha += kTwoPi;
    const double delta =
        std::asin((eta * std::cos(dec0) + std::sin(dec0)) / std::sqrt(xi * xi + eta * eta + 1.0));
    ra = DegFDms(alpha / kHourToRad);
    dec = DegFDms(delta * kRadToDeg);
}

bool platePixel(const WinpData* in, double ra, double dec, int& x, int& y)
{
    const double ra0 = in->picra[0];
    const double dec0 = in->picdec[0];
    if (std::sin(dec0) * std::sin(dec) + std::cos(dec0) * std::cos(dec) * std::cos(ra - ra0) <= 0)
        return false;
    double xi, eta;
    equplt(ra0, dec0, ra, dec, xi, eta);
    const double a = guarded(in->plateA[0], kTinyPixel);
    const double b = in->plateA[1];
    const double d = in->plateB[0];
    const double e = in->plateB[1];
    const double u = xi - in->plateA[2];
    const double v = eta - in->plateB[2];
    // Eliminate X with the factor d/a, then back-substitute.
    const double dy = (v - d / a * u) / guarded(e - d * b / a, kTinyPixel);
    const double dx = (u - b * dy) / a;
    x = static_cast<int>(boundedOffset(dx) + in->picx[0] + 0.5);
    y = static_cast<int>(boundedOffset(dy) + in->picy[0] + 0.5);
    return true;
}

void picSetStar(WinpData* in, int x, int y, double raHms, double decDms)
{
    const int n = in->picstep;
    const int i = n - 1;
    if (i < 0 || i >= kPicStars)
        return;
    in->picra[i] = DmsDegF(raHms) * kHourToRad;
    in->picdec[i] = DmsDegF(decDms) * kDegToRad;
    in->picx[i] = x;
    in->picy[i] = y;
    if (n == kPicStars)
        getPlateConst(in);
    in->picstep = n + 1;
}

void picAbort(WinpData* in)
{
    for (int i = 0; i < kPicStars; ++i)
        in->picra[i] = in->picdec[i] = 0.0;
    in->picstep = kFirstStep;
}

int picTrailPoint(WinpData* in, int x, int y, double& raHms, double& decDms)
{
    getRaDec(in, x, y, raHms, decDms);
    int slot = std::max(in->picstep, kFirstTrailStep) - 1;
    if (slot > kLastPoint) {
        in->picra[kFirstPoint] = in->picra[kLastPoint];
        in->picdec[kFirstPoint] = in->picdec[kLastPoint];
        slot = kLastPoint;
    } else {
        in->picstep = slot + 2;
    }
    in->picra[slot] = raHms;
    in->picdec[slot] = decDms;
    return slot;
}

bool picHasTrail(const WinpData* in)
{
    for (int i = kFirstPoint; i <= kLastPoint; ++i) {
        if (in->picra[i] == 0.0 && in->picdec[i] == 0.0)
            return false;
    }
    return true;
}

bool vsGetPict(double& ra1, double& dec1, double& ra2, double& dec2, const WinpData* in)
{
    if (!picHasTrail(in))
        return false;
    ra1 = in->picra[kPicStars];
    dec1 = in->picdec[kPicStars];
    ra2 = in->picra[kPicStars + 1];
    dec2 = in->picdec[kPicStars + 1];
    return true;
}
