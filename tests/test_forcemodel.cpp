#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "propagation/forcemodel.h"
#include "propagation/jgm3_table.h"

namespace {
constexpr double kGM = 398600.4415e9;
constexpr double kR = 6378137.0;

// Geopotential (m^2/s^2) to degree nmax, summed directly with un-normalised Legendre functions.
double potential(const Vec3& r, int nmax)
{
    const Vec3 p = carpol(r);
    const double s = std::sin(p[2]), c = std::cos(p[2]);
    double pnm[22][22] = {};
    for (int m = 0; m <= nmax; ++m) {
        pnm[m][m] = 1.0;
        for (int k = 1; k <= m; ++k) pnm[m][m] *= (2 * k - 1) * c;
        if (m < nmax) pnm[m + 1][m] = (2 * m + 1) * s * pnm[m][m];
        for (int n = m + 2; n <= nmax; ++n)
            pnm[n][m] = ((2 * n - 1) * s * pnm[n - 1][m] - (n + m - 1) * pnm[n - 2][m]) / (n - m);
    }
    double sum = 1.0;
    for (int n = 2; n <= nmax; ++n)
        for (int m = 0; m <= n; ++m) {
            const int k = jgm3Index(n, m);
            sum += std::pow(kR / p[0], n) * pnm[n][m] *
                   (kJgm3C[k] * std::cos(m * p[1]) + kJgm3S[k] * std::sin(m * p[1]));
        }
    return kGM / p[0] * sum;
}

// Gradient of potential() by central differences with a 10 m step.
Vec3 potentialGradient(const Vec3& r, int nmax)
{
    Vec3 g;
    for (unsigned i = 0; i < 3; ++i) {
        Vec3 d;
        d[i] = 10.0;
        g[i] = (potential(r + d, nmax) - potential(r - d, nmax)) / 20.0;
    }
    return g;
}
}  // namespace

TEST(Geopotential, PointMassJ2AtThePoleAndTheGradientOfTheFullField)
{
    for (const Vec3& r : {Vec3(7.0e6, 0, 0), Vec3(-3e6, 4e6, 5e6), Vec3(1e6, -2e7, 3e7)}) {
        const Vec3 expected = -kGM / std::pow(abs(r), 3) * r;
        EXPECT_LT(abs(HarmAcc(r, 0) - expected), 1e-12 * abs(expected));
    }
    // Over the pole only the zonal terms act radially: a_z = -GM/r^2 (1 - 3 J2 (R/r)^2).
    const double r = 7.0e6, j2 = 0.0010826266752;
    const Vec3 a = HarmAcc(Vec3(0, 0, r), 2);
    EXPECT_NEAR(a[2], -kGM / (r * r) * (1 - 3 * j2 * std::pow(kR / r, 2)), 1e-10);
    // On the equator at longitude 0 the pull grows by (1.5 J2 + 9 C22) (R/r)^2.
    const double c22 = 1.574536e-06;
    EXPECT_NEAR(HarmAcc(Vec3(r, 0, 0), 2)[0] / (-kGM / (r * r)) - 1.0, (1.5 * j2 + 9 * c22) * std::pow(kR / r, 2), 1e-12);
    for (const Vec3& r : {Vec3(6.5e6, 1.2e6, 2.1e6), Vec3(-2.0e6, -5.5e6, -3.9e6),
                          Vec3(1.0e5, 3.0e5, 6.7e6), Vec3(2.5e7, -1.0e7, 4.0e6)}) {
        for (int n : {2, 4, 20}) {
            const Vec3 a = HarmAcc(r, n), g = potentialGradient(r, n);
            for (unsigned i = 0; i < 3; ++i) EXPECT_NEAR(a[i], g[i], 2e-8) << "degree " << n;
        }
    }
    // The high-degree terms matter at LEO heights (about 1e-4 m/s^2 beyond degree 4).
    const Vec3 leo(6.5e6, 1.2e6, 2.1e6);
    EXPECT_GT(abs(HarmAcc(leo, 20) - HarmAcc(leo, 4)), 1e-5);
    // Degenerate input stays finite.
    EXPECT_TRUE(std::isfinite(abs(HarmAcc(Vec3(), 20))));
    EXPECT_EQ(abs(HarmAcc(leo, 99) - HarmAcc(leo, 20)), 0.0);
}

TEST(ThirdBody, TidalAcceleration)
{
    // The Moon on the x axis stretches the orbit along the line and squeezes it across.
    const double gm = 4.902801e12, d = 3.844e8, x = 7.0e6, tidal = gm * x / std::pow(d, 3);
    EXPECT_EQ(abs(ThirdBody(gm, Vec3(), Vec3(d, 0, 0))), 0.0);
    EXPECT_NEAR(ThirdBody(gm, Vec3(x, 0, 0), Vec3(d, 0, 0))[0] / (2 * tidal), 1.0, 0.06);
    EXPECT_NEAR(ThirdBody(gm, Vec3(0, x, 0), Vec3(d, 0, 0))[1] / -tidal, 1.0, 1e-3);
}

TEST(Jacchia71, CheckPointsDensityLimitsAndBehaviour)
{
    std::ifstream in(ORBIKA_TEST_DATA "/jacchia71_check.txt");
    ASSERT_TRUE(in.good());
    std::string line;
    int rows = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        double z, t, expected;
        int block;
        std::string tag;
        ASSERT_TRUE(static_cast<bool>(fields >> z >> t >> block >> expected >> tag)) << line;
        EXPECT_NEAR(Jacc71LogDensity(z, t), expected, 1e-8) << tag;
        ++rows;
    }
    EXPECT_EQ(rows, 31);
    // Published reference densities of the model, to the fit's accuracy.
    EXPECT_NEAR(Jacc71LogDensity(400, 1.0), -11.4338, 0.003);
    EXPECT_NEAR(Jacc71LogDensity(200, 0.8), -9.6882, 0.003);
    EXPECT_NEAR(Jacc71LogDensity(90, 0.6), -5.4570, 0.003);
    const double mjd = 58849.5;  // 2020 Jan 1
    const Vec3 sun(1.47e11, 0, 0);
    double h = 0;
    EXPECT_EQ(Jacc71(mjd, Vec3(kR + 2.6e6, 0, 0), sun, 150, 150, 3, h), 0.0);  // above 2500 km
    EXPECT_NEAR(Jacc71(mjd, Vec3(kR, 0, 0), sun, 150, 150, 3, h), 1.29, 1e-9);
    EXPECT_NEAR(h, 0.0, 1e-6);
    // Geodetic height at the pole, where the ellipsoid is 21.4 km lower; below ground no density.
    Jacc71(mjd, Vec3(0, 0, kR), sun, 150, 150, 3, h);
    EXPECT_NEAR(h, 21.3848, 1e-3);
    EXPECT_EQ(Jacc71(mjd, Vec3(0, 0, 6.3e6), sun, 150, 150, 3, h), 0.0);
    // Continuous through 90 km; at 400 km a few 1e-12 kg/m^3 for moderate activity.
    const auto at = [&](const Vec3& r, double f107, double kp) { return Jacc71(mjd, r, sun, f107, f107, kp, h); };
    EXPECT_NEAR(at(Vec3(kR + 89999.0, 0, 0), 150, 3) / at(Vec3(kR + 90001.0, 0, 0), 150, 3), 1.0, 1e-3);
    const Vec3 noon(kR + 4e5, 0, 0);
    const double rho = at(noon, 150, 3);
    EXPECT_TRUE(rho > 1e-12 && rho < 2e-11) << rho;
    // Day side denser than night side; high solar flux and storms raise the density.
    EXPECT_GT(rho, 1.5 * at(Vec3(-kR - 4e5, 0, 0), 150, 3));
    EXPECT_GT(at(noon, 250, 3), 3 * at(noon, 70, 3));
    EXPECT_GT(at(noon, 150, 8), 2 * at(noon, 150, 0));
    // Absurd space weather still gives a finite density.
    EXPECT_TRUE(std::isfinite(Jacc71(mjd, noon, sun, 1e9, -1e9, 1e9, h)));
}
