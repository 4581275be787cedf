#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "core/attitude.h"
#include "core/defaults.h"
#include "core/illumination.h"
#include "core/mirror.h"
#include "core/satstate.h"
#include "iss_settings.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
// 2026-02-23 04:50:43 UTC, the culmination of a visible ISS pass over the site of IssSettings.
constexpr double kPassMjd = 61094.0 + (4.0 + 50.0 / 60.0 + 43.0 / 3600.0) / 24.0;

double angleDeg(const Vec3& a, const Vec3& b) { return std::acos(std::max(-1.0, std::min(1.0, dot(a, b)))) / kDeg; }

Vec3 randomUnit()
{
    const auto r = []() { return std::rand() / double(RAND_MAX) - 0.5; };
    return vnorm(Vec3(r(), r(), r()));
}
}  // namespace

TEST(Mirror, ReflectionIsSymmetricAboutTheNormal)
{
    std::srand(11);
    for (int k = 0; k < 100; ++k) {
        const Vec3 n = randomUnit(), s = randomUnit(), o = randomUnit();
        const Vec3 ray = ReflectedRay(n, s);
        EXPECT_NEAR(abs(ray), 1.0, 1e-12);
        // Equal angles with the normal, in the plane of the normal and the incoming light.
        EXPECT_NEAR(dot(ray, n), dot(s, n), 1e-12);
        EXPECT_NEAR(dot(ray, n * s), 0.0, 1e-12);
        EXPECT_LT(abs(ReflectedRay(n, ray) - s), 1e-12);
        // The bisecting normal sends the light exactly along o.
        EXPECT_LT(abs(ReflectedRay(IdealNormal(s, o), s) - o), 1e-9);
    }
    // The flare angle stays within its clamped cosine range.
    const Vec3 x(1, 0, 0), y(0, 1, 0);
    EXPECT_NEAR(FlareAngle(x, x), std::acos(0.9999999999) / kDeg, 1e-12);
    EXPECT_NEAR(FlareAngle(x, y), std::acos(0.0001) / kDeg, 1e-12);
    EXPECT_NEAR(FlareAngle(x, vnorm(Vec3(1, 1, 0))), 45.0, 1e-9);
}

TEST(Mirror, BrightnessLaws)
{
    // The antenna law is flat at -0.2 (less the 8.7 offset) up to exp(-5.91785/3.2437) degrees.
    const double knee = std::exp((-0.2 - 5.71785) / 3.2437);
    const double thetaMin = std::acos(0.9999999999) / kDeg;
    EXPECT_DOUBLE_EQ(AntennaLaw(thetaMin), -8.9);
    EXPECT_NEAR(AntennaLaw(knee), -8.9, 1e-12);
    EXPECT_GT(AntennaLaw(1.01 * knee), -8.9);
    EXPECT_NEAR(AntennaLaw(1.0), 5.71785 - 8.7, 1e-12);
    // Each degree off the centre costs more than the one before it for the panel, whose two
    // pieces join at 3.5 degrees.
    EXPECT_NEAR(PanelLaw(3.5 - 1e-9), PanelLaw(3.5), 1e-8);
    EXPECT_NEAR(PanelLaw(0.0), -3.867 - 0.7, 1e-12);
    EXPECT_NEAR(PanelLaw(5.0) - PanelLaw(4.0), 1.5, 1e-12);

    // A mirror at 1000 km, fully lit, seen in the flare centre: 5 log10(1000) - 14.4 - 8.9.
    EXPECT_NEAR(FlareMagnitude(1000.0, 60.0, true, 1.0, thetaMin, false), -8.3, 1e-9);
    // Twice the range: 5 log10(2) fainter; light at 84.26 degrees of incidence: 2.5 fainter.
    EXPECT_NEAR(FlareMagnitude(2000.0, 60.0, true, 1.0, thetaMin, false), -8.3 + 5.0 * std::log10(2.0), 1e-9);
    EXPECT_NEAR(FlareMagnitude(1000.0, 60.0, true, 0.1, thetaMin, false), -5.8, 1e-9);
    // Light on the back of the mirror counts as a cosine of 0.0001.
    EXPECT_NEAR(FlareMagnitude(1000.0, 60.0, true, -0.5, thetaMin, false), 1.7, 1e-9);
    // Extinction only below 33 degrees, and only when switched on.
    EXPECT_NEAR(FlareMagnitude(1000.0, 10.0, true, 1.0, 2.0, true) - FlareMagnitude(1000.0, 10.0, false, 1.0, 2.0, true),
                Extinction(10.0), 1e-12);
    EXPECT_GT(Extinction(10.0), 0.5);
}

TEST(Mirror, AttitudeAnglesAndPanelOrientation)
{
    auto in = IssSettings();
    const Vec3 r(5000.0, 3000.0, 3500.0), v(-4.0, 2.0, 4.0);
    for (bool steer : {false, true}) {
        for (double yaw : {0.0, 35.0, 120.0, 240.0, 359.0}) {
            for (double pitch : {-40.0, 0.0, 72.0}) {
                double y, p;
                AttitudeAngles(in.get(), r, v, AttitudeDirection(in.get(), r, v, yaw, pitch, steer), steer, y, p);
                EXPECT_NEAR(y, yaw, 1e-9) << steer;
                EXPECT_NEAR(p, pitch, 1e-9) << steer;
            }
        }
    }
    // In the 40..65 degree band the panel's lit face looks across the flight direction toward
    // the light, 40 degrees down; elsewhere it faces the light as far as the wing axis allows.
    const Mat3 m = GetRVMat(r, v, 0.0, 0.0, 1);
    const Vec3 nose(m.at(0, 0), m.at(0, 1), m.at(0, 2)), wing(m.at(1, 0), m.at(1, 1), m.at(1, 2));
    const Vec3 up = -Vec3(m.at(2, 0), m.at(2, 1), m.at(2, 2));
    std::srand(5);
    for (int k = 0; k < 20; ++k) {
        const Vec3 s = randomUnit();
        const Vec3 band = PanelNormal(r, v, s, k % 2 ? 50.0 : -50.0);
        EXPECT_NEAR(dot(band, nose), 0.0, 1e-12);
        EXPECT_NEAR(angleDeg(band, up), 130.0, 1e-9);
        EXPECT_GE(dot(band, wing) * dot(s, wing), 0.0);
        const Vec3 free = PanelNormal(r, v, s, 20.0);
        EXPECT_NEAR(dot(free, wing), 0.0, 1e-12);
        EXPECT_NEAR(dot(free, s), std::sqrt(1.0 - dot(s, wing) * dot(s, wing)), 1e-12);
    }
}

TEST(Mirror, IdealMirrorSendsTheSunlightToTheSite)
{
    auto in = IssSettings();
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    in->flares = 1;
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    ASSERT_GT(sp->sunlit[0], 0.0);
    ASSERT_GT(sp->elev[0], 10.0);
    // Unknown surfaces give the ideal angles (local yaw/pitch, or R.A./Dec. of either epoch);
    // the same angles entered as a known surface put the flare centre on the site.
    for (int form : {1, 2}) {
        for (int steer : {0, 1}) {
            for (double epoch : {0.0, 2000.0}) {
                in->yawsteer = steer;
                in->epoch = epoch;
                in->knownsurf = -form;
                GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
                EXPECT_LT(sp->mag, 0.5);
                EXPECT_LT(in->flrang, 0.01);
                const double yaw = in->flryaw;
                in->knownsurf = form;
                GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
                EXPECT_EQ(in->flryaw, yaw);
                EXPECT_NEAR(sp->ctrlat[0], in->obslat, 0.01) << form << steer << epoch;
                EXPECT_NEAR(sp->ctrlon[0], in->obslon, 0.01) << form << steer << epoch;
                EXPECT_LT(sp->mag, 0.5) << form << steer << epoch;
                EXPECT_LT(in->flrang, 0.01);
            }
        }
    }
    // Yaw steering turns the frame, so the same mirror has other local angles.
    in->epoch = 0.0;
    double yaw[2];
    for (int steer : {1, 0}) {
        in->yawsteer = steer;
        in->knownsurf = -1;
        GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
        yaw[steer] = in->flryaw;
    }
    EXPECT_GT(std::fabs(yaw[0] - yaw[1]), 0.1);
    // A mirror turned by 1 degree moves the reflected light by up to 2 degrees, and the flare
    // centre away from the site.
    in->flrpitch += 1.0;
    in->knownsurf = 1;
    GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0);
    EXPECT_GT(in->flrang, 0.5);
    EXPECT_LT(in->flrang, 2.0 + 1e-6);
    EXPECT_GT(sp->mag, 5.0);
}
