// Deep-space (SDP4) parts of the SGP4 model: lunar-solar terms and the 12 h / 24 h resonances.
// Used only by sgp4init and sgp4.
#pragma once
#include "propagation/sgp4rec.h"

// Mean elements while they pass through the secular updates: eccentricity, argument of perigee,
// inclination, mean anomaly, node (radians) and mean motion (rad/min).
struct MeanElements {
    double em, argpm, inclm, mm, nodem, nm;
};

// Intermediate quantities of the lunar-solar common terms that dsinit needs
// (names as in the published model; ss*, sz* solar, s*, z* lunar).
struct DsCommon {
    double sinim, cosim, em, emsq, nm;
    double s1, s2, s3, s4, s5, ss1, ss2, ss3, ss4, ss5;
    double sz1, sz3, sz11, sz13, sz21, sz23, sz31, sz33;
    double z1, z3, z11, z13, z21, z23, z31, z33;
};

// Lunar-solar common terms for elements (radians, rad/min) at epoch (days since 1949 Dec 31)
// plus tc minutes; stores the periodic coefficients (e3 ... zmos) in rec.
DsCommon dscom(double epoch, double ep, double argpp, double tc, double inclp, double nodep,
               double np, elsetrec& rec);

// Deep-space secular rates and resonance coefficients into rec; xke in 1/min, xpidot the secular
// rate of the longitude of perigee (rad/min), eccsq the squared epoch eccentricity.
void dsinit(double xke, const DsCommon& c, double xpidot, double eccsq, elsetrec& rec);

// Deep-space secular effects and resonance integration at t minutes since epoch (updates m and the
// integrator state atime, xli, xni in rec).
void dspace(double t, elsetrec& rec, MeanElements& m);

// Lunar-solar periodics at t minutes applied to ep, inclp, nodep, argpp, mp (radians);
// does nothing while init is 'y'.
void dpper(const elsetrec& rec, double t, char init, double& ep, double& inclp, double& nodep,
           double& argpp, double& mp);
