#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "core/defaults.h"
#include "core/numslot.h"

namespace {
constexpr double kEpoch = 59000.0;

// Settings with a 400 km, 51.6 degree circular orbit in slot 0, full force model, full
// nutation series, polar motion and continuous thrust on.
std::unique_ptr<WinpData> leoSettings(double y[6])
{
    auto ind = std::make_unique<WinpData>();
    SetDefaults(ind.get(), 0);
    const double a = 6778137.0, v = std::sqrt(398600.4415e9 / a), i = 51.6 * M_PI / 180;
    const double state[6] = {a, 0, 0, 0, v * std::cos(i), v * std::sin(i)};
    ind->elepoch[0] = ind->stmjd[0] = kEpoch;
    for (int k = 0; k < 3; ++k) {
        ind->svpos[k][0] = ind->stpos[k][0] = state[k];
        ind->svvel[k][0] = ind->stvel[k][0] = state[k + 3];
    }
    std::copy(state, state + 6, y);
    ind->iersflg = true;
    ind->polex = 0.1;
    ind->poley = 0.3;
    ind->thrflg[0] = true;
    ind->thrsun[0] = false;
    ind->thracc[0] = 1e-4;
    return ind;
}

// Sun (Earth radii) toward the vernal equinox, Moon at its mean distance.
const Vec3 kSun(23455.0, 0.0, 0.0), kMoon(0.0, 60.3, 0.0);
}  // namespace

// One evaluation of the equations of motion for a LEO with every force on.
static void BM_RKfunLeo(benchmark::State& state)
{
    double y[6], dydx[6];
    auto ind = leoSettings(y);
    const ForceContext c = SlotContext(ind.get(), 0);
    double x = 0.0;
    for (auto _ : state) {
        RKfun(x, y, dydx, c);
        benchmark::DoNotOptimize(dydx);
        x += 1.0;
    }
}
BENCHMARK(BM_RKfunLeo);

// One orbit (92 minutes) of the same satellite through NumProp.
static void BM_NumPropOneOrbit(benchmark::State& state)
{
    double y[6];
    auto ind = leoSettings(y);
    Vec3 r, v;
    for (auto _ : state) {
        ind->stmjd[0] = kEpoch + 1.0;  // far from the request: restarts from the epoch
        NumPropSlot(kEpoch + 92.0 / 1440, ind.get(), 0, kSun, kMoon, r, v);
        benchmark::DoNotOptimize(r);
    }
}
BENCHMARK(BM_NumPropOneOrbit)->Unit(benchmark::kMillisecond);
