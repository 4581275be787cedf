// Deep-space part of the SGP4 model: lunar-solar terms (dscom, dpper) and the geopotential
// resonances of 12 h and 24 h orbits (dsinit, dspace), Spacetrack Report #3 (2006 revision).
#include "propagation/sgp4deep.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "propagation/sgp4trig.h"

namespace {

using angle_units::kPi;
using angle_units::kTwoPi;
using sgp4trig::mod2pi;
using sgp4trig::SinCos;
using sgp4trig::sincosof;

constexpr double kX2o3 = 2.0 / 3.0;

// Solar and lunar constants of the model: mean motions (rad/min) and eccentricities of the
// Sun's and Moon's orbits, perturbation constants, the Sun's fixed orientation terms.
constexpr double kZns = 1.19459e-5;
constexpr double kZes = 0.01675;
constexpr double kZnl = 1.5835218e-4;
constexpr double kZel = 0.0549;
constexpr double kC1ss = 2.9864797e-6;
constexpr double kC1l = 4.7968065e-7;
constexpr double kZsinis = 0.39785416;
constexpr double kZcosis = 0.91744867;
constexpr double kZcosgs = 0.1945905;
constexpr double kZsings = -0.98088458;

// Smallest sine used as a divisor (lunar orbit inclination, node correction).
constexpr double kTinySine = 1.0e-40;

// Earth rotation rate in rad/min (7.29211514668855e-5 rad/s).
constexpr double kRptim = 4.37526908801129966e-3;

// Resonance constants: geopotential coefficient combinations and phase angles (radians).
constexpr double kQ22 = 1.7891679e-6;
constexpr double kQ31 = 2.1460748e-6;
constexpr double kQ33 = 2.2123015e-7;
constexpr double kRoot22 = 1.7891679e-6;
constexpr double kRoot44 = 7.3636953e-9;
constexpr double kRoot54 = 2.1765803e-9;
constexpr double kRoot32 = 3.7393792e-7;
constexpr double kRoot52 = 1.1428639e-7;
constexpr double kFasx2 = 0.13130908;
constexpr double kFasx4 = 2.8843198;
constexpr double kFasx6 = 0.37448087;
constexpr double kG22 = 5.7686396;
constexpr double kG32 = 0.95240898;
constexpr double kG44 = 1.8014998;
constexpr double kG52 = 1.050833;
constexpr double kG54 = 4.4108898;

// Resonance integrator: step (min) and half its square.
constexpr double kStepp = 720.0;
constexpr double kStepn = -720.0;
constexpr double kStep2 = 259200.0;

// Inclination (rad, 3 deg) within which of 0 or 180 deg the periodics give no node rate.
constexpr double kNodeRateInclLimit = 5.2359877e-2;

// Inclination (rad) below which the periodics are applied with the Lyddane modification.
constexpr double kLyddaneLimit = 0.2;

// Fields of elsetrec that hold one body's periodic coefficients, in the order
// e2, e3, i2, i3, l2, l3, l4, gh2, gh3, gh4, h2, h3.
using CoefFields = std::array<double elsetrec::*, 12>;
constexpr CoefFields kSolarCoefs = {&elsetrec::se2,  &elsetrec::se3,  &elsetrec::si2,
                                    &elsetrec::si3,  &elsetrec::sl2,  &elsetrec::sl3,
                                    &elsetrec::sl4,  &elsetrec::sgh2, &elsetrec::sgh3,
                                    &elsetrec::sgh4, &elsetrec::sh2,  &elsetrec::sh3};
constexpr CoefFields kLunarCoefs = {&elsetrec::ee2,  &elsetrec::e3,   &elsetrec::xi2,
                                    &elsetrec::xi3,  &elsetrec::xl2,  &elsetrec::xl3,
                                    &elsetrec::xl4,  &elsetrec::xgh2, &elsetrec::xgh3,
                                    &elsetrec::xgh4, &elsetrec::xh2,  &elsetrec::xh3};

// Orientation of the satellite orbit as the common terms need it.
struct OrbitTrig {
    double sinim, cosim, sinomm, cosomm, em, emsq, betasq, rtemsq, xnoi;
};

// Orientation of a perturbing body's orbit relative to the equator and the satellite node,
// and its perturbation constant.
struct BodyGeometry {
    double zcosg, zsing, zcosi, zsini, zcosh, zsinh, cc;
};

// The s and z terms of one perturbing body.
struct BodyTerms {
    double s1, s2, s3, s4, s5, s6, s7;
    double z1, z2, z3, z11, z12, z13, z21, z22, z23, z31, z32, z33;
};

// Lunar-solar s and z terms of one body for the orbit o.
BodyTerms bodyterms(const OrbitTrig& o, const BodyGeometry& g)
{
    const double a1 = g.zcosg * g.zcosh + g.zsing * g.zcosi * g.zsinh;
    const double a3 = -g.zsing * g.zcosh + g.zcosg * g.zcosi * g.zsinh;
    const double a7 = -g.zcosg * g.zsinh + g.zsing * g.zcosi * g.zcosh;
    const double a8 = g.zsing * g.zsini;
    const double a9 = g.zsing * g.zsinh + g.zcosg * g.zcosi * g.zcosh;
    const double a10 = g.zcosg * g.zsini;
    const double a2 = o.cosim * a7 + o.sinim * a8;
    const double a4 = o.cosim * a9 + o.sinim * a10;
    const double a5 = -o.sinim * a7 + o.cosim * a8;
    const double a6 = -o.sinim * a9 + o.cosim * a10;

    const double x1 = a1 * o.cosomm + a2 * o.sinomm;
    const double x2 = a3 * o.cosomm + a4 * o.sinomm;
    const double x3 = -a1 * o.sinomm + a2 * o.cosomm;
    const double x4 = -a3 * o.sinomm + a4 * o.cosomm;
    const double x5 = a5 * o.sinomm;
    const double x6 = a6 * o.sinomm;
    const double x7 = a5 * o.cosomm;
    const double x8 = a6 * o.cosomm;

    BodyTerms b;
    const double emsq = o.emsq;
    b.z31 = 12.0 * x1 * x1 - 3.0 * x3 * x3;
    b.z32 = 24.0 * x1 * x2 - 6.0 * x3 * x4;
    b.z33 = 12.0 * x2 * x2 - 3.0 * x4 * x4;
    b.z1 = 3.0 * (a1 * a1 + a2 * a2) + b.z31 * emsq;
    b.z2 = 6.0 * (a1 * a3 + a2 * a4) + b.z32 * emsq;
    b.z3 = 3.0 * (a3 * a3 + a4 * a4) + b.z33 * emsq;
    b.z11 = -6.0 * a1 * a5 + emsq * (-24.0 * x1 * x7 - 6.0 * x3 * x5);
    b.z12 = -6.0 * (a1 * a6 + a3 * a5) +
            emsq * (-24.0 * (x2 * x7 + x1 * x8) + -6.0 * (x3 * x6 + x4 * x5));
    b.z13 = -6.0 * a3 * a6 + emsq * (-24.0 * x2 * x8 - 6.0 * x4 * x6);
    b.z21 = 6.0 * a2 * a5 + emsq * (24.0 * x1 * x5 - 6.0 * x3 * x7);
    b.z22 = 6.0 * (a4 * a5 + a2 * a6) +
            emsq * (24.0 * (x2 * x5 + x1 * x6) - 6.0 * (x4 * x7 + x3 * x8));
    b.z23 = 6.0 * a4 * a6 + emsq * (24.0 * x2 * x6 - 6.0 * x4 * x8);
    b.z1 = b.z1 + b.z1 + o.betasq * b.z31;
    b.z2 = b.z2 + b.z2 + o.betasq * b.z32;
    b.z3 = b.z3 + b.z3 + o.betasq * b.z33;
    b.s3 = g.cc * o.xnoi;
    b.s2 = -0.5 * b.s3 / o.rtemsq;
    b.s4 = b.s3 * o.rtemsq;
    b.s1 = -15.0 * o.em * b.s4;
    b.s5 = x1 * x3 + x2 * x4;
    b.s6 = x2 * x3 + x1 * x4;
    b.s7 = x2 * x4 - x1 * x3;
    return b;
}

// Stores one body's periodic coefficients; ze is the body's orbital eccentricity.
void storecoefs(const BodyTerms& b, double emsq, double ze, const CoefFields& f, elsetrec& rec)
{
    rec.*f[0] = 2.0 * b.s1 * b.s6;
    rec.*f[1] = 2.0 * b.s1 * b.s7;
    rec.*f[2] = 2.0 * b.s2 * b.z12;
    rec.*f[3] = 2.0 * b.s2 * (b.z13 - b.z11);
    rec.*f[4] = -2.0 * b.s3 * b.z2;
    rec.*f[5] = -2.0 * b.s3 * (b.z3 - b.z1);
    rec.*f[6] = -2.0 * b.s3 * (-21.0 - 9.0 * emsq) * ze;
    rec.*f[7] = 2.0 * b.s4 * b.z32;
    rec.*f[8] = 2.0 * b.s4 * (b.z33 - b.z31);
    rec.*f[9] = -18.0 * b.s4 * ze;
    rec.*f[10] = -2.0 * b.s2 * b.z22;
    rec.*f[11] = -2.0 * b.s2 * (b.z23 - b.z21);
}

// Periodic changes of eccentricity, inclination, mean longitude, perigee and node.
struct Periodics {
    double pe, pinc, pl, pgh, ph;
};

// Periodics of one body with mean anomaly zm (rad) and orbital eccentricity ze.
Periodics bodyperiodics(const elsetrec& rec, const CoefFields& f, double zm, double ze)
{
    const double zf = zm + 2.0 * ze * std::sin(zm);
    const double sinzf = std::sin(zf);
    const double f2 = 0.5 * sinzf * sinzf - 0.25;
    const double f3 = -0.5 * sinzf * std::cos(zf);
    return {rec.*f[0] * f2 + rec.*f[1] * f3, rec.*f[2] * f2 + rec.*f[3] * f3,
            rec.*f[4] * f2 + rec.*f[5] * f3 + rec.*f[6] * sinzf,
            rec.*f[7] * f2 + rec.*f[8] * f3 + rec.*f[9] * sinzf,
            rec.*f[10] * f2 + rec.*f[11] * f3};
}

// Eccentricity functions of the half-day resonance: coefficients of 1, e, e^2, e^3.
using Cubic = std::array<double, 4>;
// g211, g310, g322, g410, g422 for e <= 0.65 and for e > 0.65.
constexpr std::array<Cubic, 5> kGLowEcc = {{{3.616, -13.2470, 16.2900, 0.0},
                                            {-19.302, 117.3900, -228.4190, 156.5910},
                                            {-18.9068, 109.7927, -214.6334, 146.5816},
                                            {-41.122, 242.6940, -471.0940, 313.9530},
                                            {-146.407, 841.8800, -1629.014, 1083.4350}}};
constexpr std::array<Cubic, 5> kGHighEcc = {{{-72.099, 331.819, -508.738, 266.724},
                                             {-346.844, 1582.851, -2415.925, 1246.113},
                                             {-342.585, 1554.908, -2366.899, 1215.972},
                                             {-1052.797, 4758.686, -7193.992, 3651.957},
                                             {-3581.690, 16178.110, -24462.770, 12422.520}}};
// g520 for e <= 0.65, 0.65 < e <= 0.715 and e > 0.715.
constexpr std::array<Cubic, 3> kG520 = {{{-532.114, 3017.977, -5740.032, 3708.2760},
                                         {1464.74, -4664.75, 3763.64, 0.0},
                                         {-5149.66, 29936.92, -54087.36, 31324.56}}};
// g533, g521, g532 for e < 0.7 and for e >= 0.7.
constexpr std::array<Cubic, 3> kG5LowEcc = {{{-919.22770, 4988.6100, -9064.7700, 5542.21},
                                             {-822.71072, 4568.6173, -8491.4146, 5337.524},
                                             {-853.66600, 4690.2500, -8624.7700, 5341.4}}};
constexpr std::array<Cubic, 3> kG5HighEcc = {{{-37995.780, 161616.52, -229838.20, 109377.94},
                                              {-51752.104, 218913.95, -309468.16, 146349.42},
                                              {-40023.880, 170470.89, -242699.48, 115605.82}}};

// Coefficients of the half-day (12 h) resonance; aonv = (n/xke)^(2/3).
void halfdayresonance(const DsCommon& c, double aonv, double eccsq, elsetrec& rec)
{
    const double cosim = c.cosim, sinim = c.sinim;
    const double cosisq = cosim * cosim;
    const double em = rec.ecco;
    const double emsq = eccsq;
    const double eoc = em * emsq;
    const double g201 = -0.306 - (em - 0.64) * 0.440;
    const auto g = [em, emsq, eoc](const Cubic& c) {
        return c[0] + c[1] * em + c[2] * emsq + c[3] * eoc;
    };
    const std::array<Cubic, 5>& low = em <= 0.65 ? kGLowEcc : kGHighEcc;
    const double g211 = g(low[0]), g310 = g(low[1]), g322 = g(low[2]), g410 = g(low[3]),
                 g422 = g(low[4]);
    const double g520 = g(em <= 0.65 ? kG520[0] : em > 0.715 ? kG520[2] : kG520[1]);
    const std::array<Cubic, 3>& high = em < 0.7 ? kG5LowEcc : kG5HighEcc;
    const double g533 = g(high[0]), g521 = g(high[1]), g532 = g(high[2]);

    const double sini2 = sinim * sinim;
    const double f220 = 0.75 * (1.0 + 2.0 * cosim + cosisq);
    const double f221 = 1.5 * sini2;
    const double f321 = 1.875 * sinim * (1.0 - 2.0 * cosim - 3.0 * cosisq);
    const double f322 = -1.875 * sinim * (1.0 + 2.0 * cosim - 3.0 * cosisq);
    const double f441 = 35.0 * sini2 * f220;
    const double f442 = 39.3750 * sini2 * sini2;
    const double f522 = 9.84375 * sinim *
                        (sini2 * (1.0 - 2.0 * cosim - 5.0 * cosisq) +
                         0.33333333 * (-2.0 + 4.0 * cosim + 6.0 * cosisq));
    const double f523 = sinim * (4.92187512 * sini2 * (-2.0 - 4.0 * cosim + 10.0 * cosisq) +
                                 6.56250012 * (1.0 + 2.0 * cosim - 3.0 * cosisq));
    const double f542 = 29.53125 * sinim *
                        (2.0 - 8.0 * cosim + cosisq * (-12.0 + 8.0 * cosim + 10.0 * cosisq));
    const double f543 = 29.53125 * sinim *
                        (-2.0 - 8.0 * cosim + cosisq * (12.0 + 8.0 * cosim - 10.0 * cosisq));

    const double nm = c.nm;
    const double xno2 = nm * nm;
    const double ainv2 = aonv * aonv;
    double temp1 = 3.0 * xno2 * ainv2;
    double temp = temp1 * kRoot22;
    rec.d2201 = temp * f220 * g201;
    rec.d2211 = temp * f221 * g211;
    temp1 = temp1 * aonv;
    temp = temp1 * kRoot32;
    rec.d3210 = temp * f321 * g310;
    rec.d3222 = temp * f322 * g322;
    temp1 = temp1 * aonv;
    temp = 2.0 * temp1 * kRoot44;
    rec.d4410 = temp * f441 * g410;
    rec.d4422 = temp * f442 * g422;
    temp1 = temp1 * aonv;
    temp = temp1 * kRoot52;
    rec.d5220 = temp * f522 * g520;
    rec.d5232 = temp * f523 * g532;
    temp = 2.0 * temp1 * kRoot54;
    rec.d5421 = temp * f542 * g521;
    rec.d5433 = temp * f543 * g533;
}

// Coefficients of the synchronous (24 h) resonance; aonv = (n/xke)^(2/3).
void synchronousresonance(const DsCommon& c, double aonv, elsetrec& rec)
{
    const double cosim = c.cosim, sinim = c.sinim, emsq = c.emsq, nm = c.nm;
    const double g200 = 1.0 + emsq * (-2.5 + 0.8125 * emsq);
    const double g310 = 1.0 + 2.0 * emsq;
    const double g300 = 1.0 + emsq * (-6.0 + 6.60937 * emsq);
    const double f220 = 0.75 * (1.0 + cosim) * (1.0 + cosim);
    const double f311 = 0.9375 * sinim * sinim * (1.0 + 3.0 * cosim) - 0.75 * (1.0 + cosim);
    double f330 = 1.0 + cosim;
    f330 = 1.875 * f330 * f330 * f330;
    const double del1 = 3.0 * nm * nm * aonv * aonv;
    rec.del2 = 2.0 * del1 * f220 * g200 * kQ22;
    rec.del3 = 3.0 * del1 * f330 * g300 * kQ33 * aonv;
    rec.del1 = del1 * f311 * g310 * kQ31 * aonv;
}

// Resonance rates at the integrator state: dn/dt (xndt), dlambda/dt (xldot), d2n/dt2 (xnddt).
struct ResonanceRates {
    double xndt, xldot, xnddt;
};

// Sines and cosines of the resonance phase constants.
const SinCos kFasx2Sc = sincosof(kFasx2);
const SinCos k2Fasx4Sc = sincosof(2.0 * kFasx4);
const SinCos k3Fasx6Sc = sincosof(3.0 * kFasx6);
const SinCos kG22Sc = sincosof(kG22);
const SinCos kG32Sc = sincosof(kG32);
const SinCos kG44Sc = sincosof(kG44);
const SinCos kG52Sc = sincosof(kG52);
const SinCos kG54Sc = sincosof(kG54);

// Resonance rates at the integrator state: mean longitude xli (rad), mean motion xni (rad/min),
// time atime (min). The angles of the published sums are formed by the addition theorems from
// the sines and cosines of xli and of the argument of perigee.
ResonanceRates resonancerates(const elsetrec& rec, double xli, double xni, double atime)
{
    ResonanceRates d;
    d.xldot = xni + rec.xfact;
    const SinCos li = sincosof(xli);
    const SinCos li2 = li + li;
    if (rec.irez != 2) {
        // Near-synchronous resonance.
        const SinCos a1 = li - kFasx2Sc;
        const SinCos a2 = li2 - k2Fasx4Sc;
        const SinCos a3 = li2 + li - k3Fasx6Sc;
        d.xndt = rec.del1 * a1.s + rec.del2 * a2.s + rec.del3 * a3.s;
        d.xnddt = rec.del1 * a1.c + 2.0 * rec.del2 * a2.c + 3.0 * rec.del3 * a3.c;
    } else {
        // Near half-day resonance.
        const SinCos om = sincosof(rec.argpo + rec.argpdot * atime);
        const SinCos om2 = om + om;
        const SinCos omli = om + li, liom = li - om, omli2 = om + li2, li2om = li2 - om;
        const SinCos a2201 = om2 + li - kG22Sc, a2211 = li - kG22Sc;
        const SinCos a3210 = omli - kG32Sc, a3222 = liom - kG32Sc;
        const SinCos a4410 = om2 + li2 - kG44Sc, a4422 = li2 - kG44Sc;
        const SinCos a5220 = omli - kG52Sc, a5232 = liom - kG52Sc;
        const SinCos a5421 = omli2 - kG54Sc, a5433 = li2om - kG54Sc;
        d.xndt = rec.d2201 * a2201.s + rec.d2211 * a2211.s + rec.d3210 * a3210.s +
                 rec.d3222 * a3222.s + rec.d4410 * a4410.s + rec.d4422 * a4422.s +
                 rec.d5220 * a5220.s + rec.d5232 * a5232.s + rec.d5421 * a5421.s +
                 rec.d5433 * a5433.s;
        d.xnddt = rec.d2201 * a2201.c + rec.d2211 * a2211.c + rec.d3210 * a3210.c +
                  rec.d3222 * a3222.c + rec.d5220 * a5220.c + rec.d5232 * a5232.c +
                  2.0 * (rec.d4410 * a4410.c + rec.d4422 * a4422.c + rec.d5421 * a5421.c +
                         rec.d5433 * a5433.c);
    }
    d.xnddt *= d.xldot;
    return d;
}

}  // namespace

DsCommon dscom(double epoch, double ep, double argpp, double tc, double inclp, double nodep,
               double np, elsetrec& rec)
{
    DsCommon c{};
    c.nm = np;
    c.em = ep;
    c.sinim = std::sin(inclp);
    c.cosim = std::cos(inclp);
    c.emsq = ep * ep;
    const double snodm = std::sin(nodep), cnodm = std::cos(nodep);
    const double betasq = 1.0 - c.emsq;
    const OrbitTrig orbit = {c.sinim,          c.cosim, std::sin(argpp), std::cos(argpp), ep,
                             c.emsq,           betasq,  std::sqrt(betasq), 1.0 / np};

    rec.peo = 0.0;
    rec.pinco = 0.0;
    rec.plo = 0.0;
    rec.pgho = 0.0;
    rec.pho = 0.0;

    // Orientation of the lunar orbit at the day (days since 1900 Jan 0.5).
    const double day = epoch + 18261.5 + tc / 1440.0;
    const double xnodce = std::fmod(4.5236020 - 9.2422029e-4 * day, kTwoPi);
    const double stem = std::sin(xnodce), ctem = std::cos(xnodce);
    const double zcosil = 0.91375164 - 0.03568096 * ctem;
    const double zsinil = std::max(std::sqrt(1.0 - zcosil * zcosil), kTinySine);
    const double zsinhl = 0.089683511 * stem / zsinil;
    const double zcoshl = std::sqrt(1.0 - zsinhl * zsinhl);
    const double gam = 5.8351514 + 0.0019443680 * day;
    double zx = 0.39785416 * stem / zsinil;
    const double zy = zcoshl * ctem + 0.91744867 * zsinhl * stem;
    zx = std::atan2(zx, zy);
    zx = gam + zx - xnodce;

    const BodyTerms sun =
        bodyterms(orbit, {kZcosgs, kZsings, kZcosis, kZsinis, cnodm, snodm, kC1ss});
    const BodyTerms moon = bodyterms(
        orbit, {std::cos(zx), std::sin(zx), zcosil, zsinil, zcoshl * cnodm + zsinhl * snodm,
                snodm * zcoshl - cnodm * zsinhl, kC1l});

    c.ss1 = sun.s1, c.ss2 = sun.s2, c.ss3 = sun.s3, c.ss4 = sun.s4, c.ss5 = sun.s5;
    c.sz1 = sun.z1, c.sz3 = sun.z3, c.sz11 = sun.z11, c.sz13 = sun.z13;
    c.sz21 = sun.z21, c.sz23 = sun.z23, c.sz31 = sun.z31, c.sz33 = sun.z33;
    c.s1 = moon.s1, c.s2 = moon.s2, c.s3 = moon.s3, c.s4 = moon.s4, c.s5 = moon.s5;
    c.z1 = moon.z1, c.z3 = moon.z3, c.z11 = moon.z11, c.z13 = moon.z13;
    c.z21 = moon.z21, c.z23 = moon.z23, c.z31 = moon.z31, c.z33 = moon.z33;

    rec.zmol = std::fmod(4.7199672 + 0.22997150 * day - gam, kTwoPi);
    rec.zmos = std::fmod(6.2565837 + 0.017201977 * day, kTwoPi);
    storecoefs(sun, c.emsq, kZes, kSolarCoefs, rec);
    storecoefs(moon, c.emsq, kZel, kLunarCoefs, rec);
    return c;
}

void dsinit(double xke, const DsCommon& c, double xpidot, double eccsq, elsetrec& rec)
{
    const double nm = c.nm, emsq = c.emsq, sinim = c.sinim, cosim = c.cosim;
    const double inclm = rec.inclo;

    rec.irez = 0;
    if (nm < 0.0052359877 && nm > 0.0034906585) rec.irez = 1;
    if (nm >= 8.26e-3 && nm <= 9.24e-3 && c.em >= 0.5) rec.irez = 2;

    // Secular rates from the solar terms; node terms dropped near 0 and 180 deg inclination.
    const bool nearpolar = inclm < kNodeRateInclLimit || inclm > kPi - kNodeRateInclLimit;
    const double ses = c.ss1 * kZns * c.ss5;
    const double sis = c.ss2 * kZns * (c.sz11 + c.sz13);
    const double sls = -kZns * c.ss3 * (c.sz1 + c.sz3 - 14.0 - 6.0 * emsq);
    const double sghs = c.ss4 * kZns * (c.sz31 + c.sz33 - 6.0);
    double shs = nearpolar ? 0.0 : -kZns * c.ss2 * (c.sz21 + c.sz23);
    if (sinim != 0.0) shs = shs / sinim;
    const double sgs = sghs - cosim * shs;

    // Secular rates from the lunar terms.
    rec.dedt = ses + c.s1 * kZnl * c.s5;
    rec.didt = sis + c.s2 * kZnl * (c.z11 + c.z13);
    rec.dmdt = sls - kZnl * c.s3 * (c.z1 + c.z3 - 14.0 - 6.0 * emsq);
    const double sghl = c.s4 * kZnl * (c.z31 + c.z33 - 6.0);
    const double shll = nearpolar ? 0.0 : -kZnl * c.s2 * (c.z21 + c.z23);
    rec.domdt = sgs + sghl;
    rec.dnodt = shs;
    if (sinim != 0.0) {
        rec.domdt = rec.domdt - cosim / sinim * shll;
        rec.dnodt = rec.dnodt + shll / sinim;
    }

    if (rec.irez == 0) return;
    const double theta = std::fmod(rec.gsto, kTwoPi);
    const double aonv = std::pow(nm / xke, kX2o3);
    if (rec.irez == 2) {
        halfdayresonance(c, aonv, eccsq, rec);
        rec.xlamo = std::fmod(rec.mo + rec.nodeo + rec.nodeo - theta - theta, kTwoPi);
        rec.xfact = rec.mdot + rec.dmdt + 2.0 * (rec.nodedot + rec.dnodt - kRptim) - rec.no;
    } else {
        synchronousresonance(c, aonv, rec);
        rec.xlamo = std::fmod(rec.mo + rec.nodeo + rec.argpo - theta, kTwoPi);
        rec.xfact = rec.mdot + xpidot - kRptim + rec.dmdt + rec.domdt + rec.dnodt - rec.no;
    }
    // Start the resonance integrator at epoch.
    rec.xli = rec.xlamo;
    rec.xni = rec.no;
    rec.atime = 0.0;
}

void dspace(double t, elsetrec& rec, MeanElements& m)
{
    const double theta = mod2pi(rec.gsto + t * kRptim);
    m.em = m.em + rec.dedt * t;
    m.inclm = m.inclm + rec.didt * t;
    m.argpm = m.argpm + rec.domdt * t;
    m.nodem = m.nodem + rec.dnodt * t;
    m.mm = m.mm + rec.dmdt * t;
    if (rec.irez == 0) return;

    // Euler-Maclaurin integration of the resonance in 720-min steps from the last integration
    // point; restart from epoch when t lies on the other side of epoch or before that point.
    if (rec.atime == 0.0 || t * rec.atime <= 0.0 || std::fabs(t) < std::fabs(rec.atime)) {
        rec.atime = 0.0;
        rec.xni = rec.no;
        rec.xli = rec.xlamo;
    }
    const double delt = t > 0.0 ? kStepp : kStepn;
    ResonanceRates d = resonancerates(rec, rec.xli, rec.xni, rec.atime);
    while (std::fabs(t - rec.atime) >= kStepp) {
        rec.xli = rec.xli + d.xldot * delt + d.xndt * kStep2;
        rec.xni = rec.xni + d.xndt * delt + d.xnddt * kStep2;
        rec.atime = rec.atime + delt;
        d = resonancerates(rec, rec.xli, rec.xni, rec.atime);
    }
    const double ft = t - rec.atime;
    const double nm = rec.xni + d.xndt * ft + d.xnddt * ft * ft * 0.5;
    const double xl = rec.xli + d.xldot * ft + d.xndt * ft * ft * 0.5;
    if (rec.irez != 1)
        m.mm = xl - 2.0 * m.nodem + 2.0 * theta;
    else
        m.mm = xl - m.nodem - m.argpm + theta;
    const double dndt = nm - rec.no;
    m.nm = rec.no + dndt;
}

void dpper(const elsetrec& rec, double t, char init, double& ep, double& inclp, double& nodep,
           double& argpp, double& mp)
{
    if (init == 'y') return;
    const Periodics s = bodyperiodics(rec, kSolarCoefs, rec.zmos + kZns * t, kZes);
    const Periodics l = bodyperiodics(rec, kLunarCoefs, rec.zmol + kZnl * t, kZel);
    const double pe = s.pe + l.pe - rec.peo;
    const double pinc = s.pinc + l.pinc - rec.pinco;
    const double pl = s.pl + l.pl - rec.plo;
    double pgh = s.pgh + l.pgh - rec.pgho;
    double ph = s.ph + l.ph - rec.pho;

    inclp = inclp + pinc;
    ep = ep + pe;
    const double sinip = std::sin(inclp), cosip = std::cos(inclp);
    if (inclp >= kLyddaneLimit) {
        if (std::fabs(sinip) > kTinySine) ph = ph / sinip;
        pgh = pgh - cosip * ph;
        argpp = argpp + pgh;
        nodep = nodep + ph;
        mp = mp + pl;
        return;
    }
    // Lyddane modification for small inclinations: apply the node periodics through the
    // components of the orbit pole, keeping the node continuous.
    const double sinop = std::sin(nodep), cosop = std::cos(nodep);
    double alfdp = sinip * sinop;
    double betdp = sinip * cosop;
    const double dalf = ph * cosop + pinc * cosip * sinop;
    const double dbet = -ph * sinop + pinc * cosip * cosop;
    alfdp = alfdp + dalf;
    betdp = betdp + dbet;
    nodep = mod2pi(nodep);
    double xls = mp + argpp + cosip * nodep;
    const double dls = pl + pgh - pinc * nodep * sinip;
    xls = xls + dls;
    const double xnoh = nodep;
    nodep = std::atan2(alfdp, betdp);
    if (std::fabs(xnoh - nodep) > kPi) nodep = nodep < xnoh ? nodep + kTwoPi : nodep - kTwoPi;
    mp = mp + pl;
    argpp = xls - mp - cosip * nodep;
}
