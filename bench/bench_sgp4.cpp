// Cost of one SGP4/SDP4 propagation call for near-Earth and deep-space element sets.
#include <benchmark/benchmark.h>

#include <cmath>

#include "core/tlefields.h"
#include "foundation/units.h"
#include "propagation/sgp4.h"

namespace {

// Element sets of the verification set: near-Earth (00005), deep space without resonance
// (04632), synchronous resonance (28626, geostationary) and half-day resonance (08195, Molniya).
struct ElementLines {
    const char* line1;
    const char* line2;
};
constexpr ElementLines kNearEarth = {
    "1 00005U 58002B   00179.78495062  .00000023  00000-0  28098-4 0  4753",
    "2 00005  34.2682 348.7242 1859667 331.7664  19.3264 10.82419157413667"};
constexpr ElementLines kDeepSpace = {
    "1 04632U 70093B   04031.91070959 -.00000084  00000-0  10000-3 0  9955",
    "2 04632  11.4628 273.1101 1450506 207.6000 143.9350  1.20231981 44145"};
constexpr ElementLines kGeostationary = {
    "1 28626U 05008A   06176.46683397 -.00000205  00000-0  10000-3 0  2190",
    "2 28626   0.0019 286.9433 0000335  13.7918  55.6504  1.00270176  4891"};
constexpr ElementLines kMolniya = {
    "1 08195U 75081A   06176.33215444  .00000099  00000-0  11873-3 0   813",
    "2 08195  64.1586 279.0717 6877146 264.7651  20.2257  2.00491383225656"};

// Time step between calls (min) and the span after which the time starts again (min).
constexpr double kStep = 1.37;
constexpr double kSpan = 2880.0;

elsetrec initialised(const ElementLines& lines)
{
    constexpr double deg = angle_units::kDegToRad;
    TleFields f{};
    ParseTleLine1(lines.line1, f);
    ParseTleLine2(lines.line2, f);
    elsetrec rec{};
    sgp4init(wgs72, true, TleEpochMjd(f.epochyear, f.epochday) + 2400000.5 - kSgp4EpochJd, f.bstar, f.ecc,
             f.argp * deg, f.incl * deg, f.manom * deg, f.mm * angle_units::kTwoPi / 1440.0,
             f.node * deg, rec);
    return rec;
}

void propagate(benchmark::State& state, const ElementLines& lines)
{
    elsetrec rec = initialised(lines);
    double r[3], v[3];
    double t = 0.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sgp4(wgs72, rec, t, r, v));
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(v);
        t = t < kSpan ? t + kStep : 0.0;
    }
}

void BM_Sgp4NearEarth(benchmark::State& state) { propagate(state, kNearEarth); }
void BM_Sgp4DeepSpace(benchmark::State& state) { propagate(state, kDeepSpace); }
void BM_Sgp4Geostationary(benchmark::State& state) { propagate(state, kGeostationary); }
void BM_Sgp4Molniya(benchmark::State& state) { propagate(state, kMolniya); }
BENCHMARK(BM_Sgp4NearEarth);
BENCHMARK(BM_Sgp4DeepSpace);
BENCHMARK(BM_Sgp4Geostationary);
BENCHMARK(BM_Sgp4Molniya);

}  // namespace
