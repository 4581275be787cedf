#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "astro/earth_constants.h"
#include "astro/frames.h"
#include "astro/moon200.h"
#include "astro/sun200.h"
#include "astro/timescales.h"
#include "core/defaults.h"
#include "core/numslot.h"
#include "core/orbitdet.h"
#include "core/rv2el.h"

namespace {
constexpr double kEpoch = 61093.0;  // 2026-02-22

// Settings with a 400 km, 51.6 degree state-vector satellite in slot 0 and the full force
// model (geopotential 20 x 20, Sun, Moon, radiation pressure, drag); iers adds the full
// nutation series and polar motion.
std::unique_ptr<WinpData> leo(bool iers)
{
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get(), 0);
    const double a = kEarthRadiusM + 400e3, v = std::sqrt(398600.4415e9 / a), i = 51.6 * M_PI / 180;
    const double state[6] = {a, 0, 0, 0, v * std::cos(i), v * std::sin(i)};
    in->elepoch[0] = kEpoch;
    for (int k = 0; k < 3; ++k) {
        in->svpos[k][0] = state[k];
        in->svvel[k][0] = state[k + 3];
    }
    in->numflg[0] = 1;
    in->iersflg = iers;
    in->polex = iers ? 0.1 : 0.0;
    in->poley = iers ? 0.3 : 0.0;
    return in;
}

// Sun and Moon (Earth radii, true equator of date) at mjd, as the state computation passes them.
void sunMoon(double mjd, Vec3& sun, Vec3& moon)
{
    const double T = julcent(mjd);
    double eqeq;
    const Mat3 n = nutmat(T, eqeq, false);
    sun = mxvct(n, eclequ(T, Sun200().position(T))) * kEarthRadiiPerAu;
    moon = mxvct(n, eclequ(T, Moon200().position(T)));
}
}  // namespace

// One day of a LEO in one NumProp call, from its epoch state.
static void BM_NumPropLeoOneDay(benchmark::State& state)
{
    auto in = leo(state.range(0) != 0);
    Vec3 sun, moon, r, v;
    sunMoon(kEpoch + 1.0, sun, moon);
    for (auto _ : state) {
        in->stmjd[0] = kEpoch;
        for (int k = 0; k < 3; ++k) {
            in->stpos[k][0] = in->svpos[k][0];
            in->stvel[k][0] = in->svvel[k][0];
        }
        NumPropSlot(kEpoch + 1.0, in.get(), 0, sun, moon, r, v);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_NumPropLeoOneDay)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// SGP4 mean elements of a LEO state.
static void BM_Rv2el(benchmark::State& state)
{
    const Vec3 r(6778137.0, 1000.0, 0.0), v(0.0, 4764.0, 6014.0);
    double el[6];
    for (auto _ : state) {
        rv2el(r, v, el[0], el[1], el[2], el[3], el[4], el[5]);
        benchmark::DoNotOptimize(el);
    }
}
BENCHMARK(BM_Rv2el);

// Orbit determination from two sightings 60 s apart, epoch state included.
static void BM_OrbitDet(benchmark::State& state)
{
    auto in = leo(false);
    in->mjd = kEpoch + 0.8;
    in->obslat = 48.1;
    in->obslon = 11.6;
    in->locaz = 200.0;
    in->locel = 40.0;
    in->locra = 150.0;
    in->locdec = 60.0;
    in->oddeltm = 60.0;
    for (auto _ : state) {
        in->nsat = 0;
        OrbitDet(in.get());
        benchmark::DoNotOptimize(in->elsma[0]);
    }
}
BENCHMARK(BM_OrbitDet);
