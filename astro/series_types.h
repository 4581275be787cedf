// Record types of the compiled-in coefficient tables of the Sun, Moon and planet series.
// The tables themselves are generated from data/astro/*.txt (see astro/astro_tables.h).
#pragma once
#include <array>
#include <cstddef>

// Read-only view of a compiled-in array.
template <class T>
struct TableSlice {
    const T* data;
    std::size_t size;
    const T* begin() const { return data; }
    const T* end() const { return data + size; }
};

// Angle 2*pi*frac(a + b*T): a in revolutions, b in revolutions per Julian century.
struct MeanArgument {
    double a, b;
};

// Wave amp*sin(2*pi*(a + b*T)); amp in the unit of the sum it feeds.
struct SineWave {
    double amp, a, b;
};

// ---- Sun and planet perturbation series -------------------------------------------------

// Periodic term of argument I*M_own + i*M_perturber, multiplied by T^iT:
// dl, db in arcsec, dr in the series' radius unit.
struct PerturbationTerm {
    int I, i, iT;
    double dlc, dls, drc, drs, dbc, dbs;
};

// The terms of one perturbing body; arg indexes the series' arguments, imin..imax is the
// range of the perturber's multiples in the terms.
struct PerturbationBlock {
    int arg;
    int imin, imax;
    TableSlice<PerturbationTerm> terms;
};

// Argument sum of k[j] * argument[index[j]]; entries with k = 0 are unused.
struct ArgumentCombination {
    std::array<int, 4> index;
    std::array<int, 4> k;
};

// Long-period correction: dl += (dlc0 + dlc1*T) cos phi + (dls0 + dls1*T) sin phi,
// dr += drc cos phi + drs sin phi, db += dbc cos phi + dbs sin phi.
struct PeriodicCorrection {
    ArgumentCombination phi;
    double dlc0, dlc1, dls0, dls1, drc, drs, dbc, dbs;
};

// Coordinate of a rate sum, and the function of n*M_own that a rate term multiplies.
enum class RateCoord { Dl, Dr, Db };
enum class RateFunc { Const, Cos, Sin };

// Approximate velocity term: rate(coord) += amp * func(n*M_own), in 1e-4 rad or AU per day.
struct RateTerm {
    RateCoord coord;
    RateFunc func;
    int n;
    double amp;
};

// Final longitude l = 2*pi*frac(L0 + M_own/(2*pi) + ((q + p*T)*T + dl)/1296000):
// L0 in revolutions, q in arcsec/century, p in arcsec/century^2.
struct LongitudeConstants {
    double L0, q, p;
};

// Quadratic c0 + c1*T + c2*T^2.
struct Quadratic {
    double c0, c1, c2;
};

// Final radius r = r0 + r1*T + k*dr in AU.
struct RadiusConstants {
    double r0, r1, k;
};

// One Sun or planet series: mean anomalies (the Sun adds the lunar arguments D, A, U after
// them), the periodic terms by perturbing body, the corrections and the final constants.
struct PerturbationSeriesTable {
    TableSlice<MeanArgument> args;
    int own;             // index of the body whose anomaly enters every term
    int ownMin, ownMax;  // range of the multiples I of the own anomaly
    TableSlice<PerturbationBlock> blocks;
    TableSlice<PeriodicCorrection> periodic;
    Quadratic poly;  // secular correction to dl, arcsec
    TableSlice<SineWave> waves;
    LongitudeConstants lon;
    Quadratic lat;  // latitude polynomial, arcsec
    RadiusConstants rad;
    TableSlice<RateTerm> rates;
};

// ---- Moon series -------------------------------------------------------------------------

// Long-periodic corrections of the lunar mean arguments (arcsec).
enum MoonCorrection { kMoonDL0, kMoonDL, kMoonDLS, kMoonDF, kMoonDD, kMoonCorrections };
// Lunar mean arguments: mean longitude, mean anomalies of Moon and Sun, argument of
// latitude and mean elongation.
enum MoonArgument { kMoonL0, kMoonL, kMoonLs, kMoonF, kMoonD, kMoonArguments };
// Number of arguments whose multiples enter the periodic terms (l, ls, F, D).
constexpr int kMoonTermArguments = kMoonArguments - 1;

// Long-periodic argument S = sin(2*pi*(a + b*T)) and its coefficients in DL0, DL, DLS, DF.
struct MoonLongPeriodArgument {
    double a, b;
    std::array<double, kMoonDD> coef;
};

// Mean argument 2*pi*frac(a + b*T + c*T^2) + correction/ARC.
struct MoonMeanArgument {
    double a, b, c;
    MoonCorrection corr;
};

// Scale factor f0 + f1*T + fg*dgam of an argument, and its largest multiple nmax.
struct MoonScale {
    int nmax;
    double f0, f1, fg;
};

// Solar term: with X + iY the scaled multiples of (l, ls, F, D) multiplied together,
// DLAM += cl*Y, DS += cs*Y, GAM1C += cg*X, SINPI += cp*X (arcsec).
struct MoonSolarTerm {
    double cl, cs, cg, cp;
    std::array<int, kMoonTermArguments> mult;
};

// Term of the latitude part: N += cn*Y.
struct MoonLatitudeTerm {
    double cn;
    std::array<int, kMoonTermArguments> mult;
};

// The condensed lunar series.
struct MoonSeriesTable {
    double arc;  // arcseconds per radian as the series uses it
    TableSlice<MoonLongPeriodArgument> longPeriod;
    TableSlice<SineWave> dgam;
    std::array<MoonMeanArgument, kMoonArguments> meanArgs;  // L0, l, ls, F, D
    std::array<MoonScale, kMoonTermArguments> scales;        // l, ls, F, D
    double sinpi0;                                           // starting parallax sum, arcsec
    TableSlice<MoonSolarTerm> solar;
    TableSlice<MoonLatitudeTerm> latitude;
    TableSlice<SineWave> planetary;
    double g0, g1, c3;      // latitude constants, arcsec
    double parallaxFactor;  // parallax = parallaxFactor * SINPI
};
