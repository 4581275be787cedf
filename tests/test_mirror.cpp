#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/defaults.h"
#include "core/illumination.h"
#include "core/mirror.h"
#include "core/satstate.h"
#include "test_site.h"

namespace {
constexpr double kDeg = M_PI / 180.0;
// 2026-02-23 04:50:43 UTC, the culmination of a visible ISS pass over the site of IssSettings.
constexpr double kPassMjd = 61094.0 + (4.0 + 50.0 / 60.0 + 43.0 / 3600.0) / 24.0;
// Smallest flare angle: the arc cosine of 0.9999999999, degrees.
const double kThetaMin = std::acos(0.9999999999) / kDeg;
}  // namespace

TEST(Mirror, BrightnessAndTheIdealMirrorSendingSunlightToTheSite)
{
    // Both laws are brightest in the flare centre and the panel law is continuous where its pieces
    // join; a tenth of the light is 2.5 magnitudes fainter; the bisecting normal reflects exactly.
    EXPECT_LT(AntennaLaw(kThetaMin), AntennaLaw(2.0));
    EXPECT_LT(PanelLaw(kThetaMin), PanelLaw(5.0));
    EXPECT_NEAR(PanelLaw(3.5 - 1e-9), PanelLaw(3.5), 1e-8);
    EXPECT_NEAR(FlareMagnitude(1000.0, 60.0, true, 0.1, kThetaMin, false) -
                    FlareMagnitude(1000.0, 60.0, true, 1.0, kThetaMin, false), 2.5, 1e-9);
    const Vec3 s = vnorm(Vec3(0.3, -0.8, 0.5)), o = vnorm(Vec3(-0.6, 0.1, -0.7));
    EXPECT_LT(abs(ReflectedRay(IdealNormal(s, o), s) - o), 1e-12);
    auto in = IssSettings();
    auto sp = std::make_unique<SatPosData>();
    SetDefaults(sp.get());
    const auto state = [&]() { GetSatPos(kPassMjd, in.get(), sp.get(), 0, 0); };
    in->flares = 1;
    state();
    ASSERT_GT(sp->sunlit[0], 0.0);
    // The ideal angles of an unknown surface, entered as a known one, centre the flare on the site.
    for (int form : {1, 2})
        for (int steer : {0, 1})
            for (double epoch : {0.0, 2000.0}) {
                in->yawsteer = steer, in->epoch = epoch, in->knownsurf = -form;
                state();
                EXPECT_LT(sp->mag, 0.5);
                in->knownsurf = form;
                state();
                EXPECT_NEAR(sp->ctrlat[0], in->obslat, 0.01) << form << steer << epoch;
                EXPECT_NEAR(sp->ctrlon[0], in->obslon, 0.01) << form << steer << epoch;
                EXPECT_TRUE(sp->mag < 0.5 && in->flrang < 0.01);
            }
    // Local angles round trip (0 to 360 degrees of yaw).
    for (bool steer : {false, true}) {
        double yaw, pitch;
        AttitudeAngles(in.get(), sp->vec1, sp->vec2, AttitudeDirection(in.get(), sp->vec1, sp->vec2, -110.0, -40.0, steer),
                       steer, yaw, pitch);
        EXPECT_NEAR(yaw, 250.0, 1e-9);
        EXPECT_NEAR(pitch, -40.0, 1e-9);
    }
    // A mirror turned by 1 degree turns the reflected light by up to 2 degrees, off the site.
    in->knownsurf = -1, in->yawsteer = 0;
    state();
    in->knownsurf = 1, in->flrpitch += 1.0;
    state();
    EXPECT_TRUE(in->flrang > 0.5 && in->flrang < 2.0 + 1e-6) << in->flrang;
    EXPECT_GT(sp->mag, 5.0);
}
