// Cost of one evaluation of the Sun, Moon and planet series.
#include <benchmark/benchmark.h>

#include "astro/moon200.h"
#include "astro/plan200.h"
#include "astro/sun200.h"

namespace {
// First instant and step between evaluated instants (Julian centuries; the step is about
// 1.3 days), so no two calls see the same argument.
constexpr double kStart = -0.5;
constexpr double kStep = 3.7e-5;

// Repeated evaluation of one series method on one working object.
template <class Series, Vec3 (Series::*Method)(double)>
void BM_Series(benchmark::State& state)
{
    Series series;
    double T = kStart;
    for (auto _ : state) {
        benchmark::DoNotOptimize((series.*Method)(T));
        T += kStep;
    }
}
BENCHMARK_TEMPLATE2(BM_Series, Sun200, &Sun200::position);
BENCHMARK_TEMPLATE2(BM_Series, Moon200, &Moon200::position);
BENCHMARK_TEMPLATE2(BM_Series, Plan200, &Plan200::Mars);
BENCHMARK_TEMPLATE2(BM_Series, Plan200, &Plan200::Saturn);
}  // namespace
