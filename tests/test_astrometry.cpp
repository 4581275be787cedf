// Picture astrometry: plate constants from three stars, pixel to R.A./Dec. and back.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <utility>

#include "core/astrometry.h"
#include "core/defaults.h"
#include "foundation/textconv.h"
#include "foundation/units.h"
#include "foundation/vec3.h"

namespace {

using angle_units::kDegToRad;
using angle_units::kPi;

// A plate of known geometry: tangent point, scale (radians per pixel) and rotation (radians)
// of the standard coordinates against the pixel axes (pixel y grows downwards, towards south).
struct KnownPlate {
    double ra0, dec0, scale, rot;
    // Standard coordinates of the pixel offset X, Y from the tangent-point pixel.
    void standard(double X, double Y, double& xi, double& eta) const
    {
        xi = scale * (std::cos(rot) * X - std::sin(rot) * Y);
        eta = scale * (-std::sin(rot) * X - std::cos(rot) * Y);
    }
    // R.A., Dec. (radians) of standard coordinates, built from the tangent-plane basis vectors
    // (independent of the spherical formulas under test).
    void direction(double xi, double eta, double& ra, double& dec) const
    {
        const Vec3 centre(std::cos(dec0) * std::cos(ra0), std::cos(dec0) * std::sin(ra0), std::sin(dec0));
        const Vec3 west(std::sin(ra0), -std::cos(ra0), 0.0);
        const Vec3 north(-std::sin(dec0) * std::cos(ra0), -std::sin(dec0) * std::sin(ra0), std::cos(dec0));
        const Vec3 v = centre + west * xi + north * eta;
        ra = std::atan2(v[1], v[0]) + (v[1] < 0 ? 2 * kPi : 0.0);
        dec = std::asin(v[2] / abs(v));
    }
};

// Settings with the three reference stars of plate p at the given pixels and the constants set.
void calibrate(WinpData* in, const KnownPlate& p, const std::array<std::array<int, 2>, 3>& px)
{
    SetDefaults(in);
    for (int i = 0; i < 3; ++i) {
        double xi, eta;
        p.standard(px[i][0] - px[0][0], px[i][1] - px[0][1], xi, eta);
        p.direction(xi, eta, in->picra[i], in->picdec[i]);
        in->picx[i] = px[i][0];
        in->picy[i] = px[i][1];
    }
    getPlateConst(in);
}

// Angle in radians of h.mmss (hours) or d.mmss (degrees).
double hmsRad(double v) { return DmsDegF(v) * kPi / 12; }
double dmsRad(double v) { return DmsDegF(v) * kDegToRad; }

}  // namespace

TEST(Astrometry, PixelAndSkyRoundTripAndSingularStars)
{
    // Across R.A. 0h, close to the pole, in three orientations: every pixel gives the direction
    // of its standard coordinates, and that direction gives the pixel back.
    const double arcsec = kDegToRad / 3600;
    for (const KnownPlate& plate : {KnownPlate{0.01, 0.2, 2e-4, 1.0},
                                    KnownPlate{3.0, 1.5, 5e-5, -2.5},
                                    KnownPlate{6.2, -0.7, 1e-3, 0.3}}) {
        WinpData in{};
        calibrate(&in, plate, {{{120, 80}, {900, 140}, {300, 700}}});
        for (const auto& p : {std::array<int, 2>{0, 0}, {1023, 767}, {512, 10}, {120, 80}}) {
            double raHms, decDms;
            getRaDec(&in, p[0], p[1], raHms, decDms);
            EXPECT_TRUE(raHms >= 0.0 && raHms < 24.0) << raHms;
            double xi, eta, ra, dec;
            plate.standard(p[0] - 120, p[1] - 80, xi, eta);
            plate.direction(xi, eta, ra, dec);
            EXPECT_NEAR(std::remainder(ra - hmsRad(raHms), 2 * kPi), 0.0, 0.1 * arcsec);
            EXPECT_NEAR(dec, dmsRad(decDms), 0.1 * arcsec);
            int x, y;
            ASSERT_TRUE(platePixel(&in, hmsRad(raHms), dmsRad(decDms), x, y));
            EXPECT_EQ(std::make_pair(x, y), std::make_pair(p[0], p[1])) << plate.ra0;
        }
    }
    // Collinear stars, or three on one pixel: measurements and projections still give numbers.
    bool collinear = true;
    for (const auto& px : {std::array<std::array<int, 2>, 3>{{{100, 100}, {200, 200}, {300, 300}}},
                           std::array<std::array<int, 2>, 3>{{{50, 60}, {50, 60}, {50, 60}}}}) {
        WinpData in{};
        calibrate(&in, KnownPlate{1.0, 0.5, 1e-4, 0.2}, px);
        in.picdec[2] += 0.01;  // a star off the line on the sky
        getPlateConst(&in);
        double largest = 0;
        for (int k = 0; k < 3; ++k) {
            ASSERT_TRUE(std::isfinite(in.plateA[k]) && std::isfinite(in.plateB[k]));
            largest = std::max({largest, std::fabs(in.plateA[k]), std::fabs(in.plateB[k])});
        }
        if (collinear) {
            EXPECT_GT(largest, 1e10);
        }
        collinear = false;
        double ra, dec;
        getRaDec(&in, 400, 10, ra, dec);
        EXPECT_TRUE(std::isfinite(ra) && std::isfinite(dec));
        int x, y;
        EXPECT_TRUE(platePixel(&in, 1.1, 0.4, x, y));
        x = y = -7;  // the antipode of the tangent point has no pixel and leaves x, y alone
        EXPECT_FALSE(platePixel(&in, in.picra[0] + kPi, -in.picdec[0], x, y));
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(-7, -7));
    }
}
