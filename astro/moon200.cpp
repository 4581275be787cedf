#include "astro/moon200.h"

#include <cmath>

#include "astro/series_math.h"

Vec3 Moon200::position(double T)
{
    const MoonSeriesTable& table = kMoon200Table;
    T_ = T;
    longPeriodic(table);
    meanArguments(table);
    periodicTerms(table);

    const double arc = table.arc;
    const double lambda = series::revolutionAngle((arg_[kMoonL0] + dlam_ / arc) / series::kTwoPi);
    const double S = arg_[kMoonF] + ds_ / arc;
    const double beta = fac_[kMoonF - 1] * (table.g0 + table.g1 + gam1c_) * std::sin(S) +
                        table.c3 * std::sin(3.0 * S) + n_;
    const double distance = arc / (table.parallaxFactor * sinpi_);
    return polcar(Vec3(distance, lambda, beta * angle_units::kArcsecToRad));
}

// Long-periodic corrections of the mean arguments and the inclination correction dgam.
void Moon200::longPeriodic(const MoonSeriesTable& table)
{
    corr_.fill(0.0);
    for (const MoonLongPeriodArgument& p : table.longPeriod) {
        const double S = std::sin(series::kTwoPi * (p.a + p.b * T_));
        for (std::size_t k = 0; k < p.coef.size(); ++k) corr_[k] += p.coef[k] * S;
    }
    corr_[kMoonDD] = corr_[kMoonDL0] - corr_[kMoonDLS];
    dgam_ = 0.0;
    for (const SineWave& w : table.dgam) dgam_ += series::sineWave(w, T_);
}

// Mean arguments with their corrections, and the scaled multiples of l, ls, F and D.
void Moon200::meanArguments(const MoonSeriesTable& table)
{
    for (int k = 0; k < kMoonArguments; ++k) {
        const MoonMeanArgument& m = table.meanArgs[k];
        arg_[k] = series::revolutionAngle(m.a + (m.b + m.c * T_) * T_) + corr_[m.corr] / table.arc;
    }
    for (int j = 0; j < kMoonTermArguments; ++j) {
        const MoonScale& sc = table.scales[j];
        fac_[j] = sc.f0 + sc.f1 * T_ + sc.fg * dgam_;
        series::fillMultiples(arg_[j + 1], fac_[j], sc.nmax, co_[j], si_[j]);
    }
}

// X + iY, the product of the scaled multiples mult of (l, ls, F, D).
void Moon200::product(const std::array<int, kMoonTermArguments>& mult, double& x, double& y) const
{
    x = 1.0;
    y = 0.0;
    for (int j = 0; j < kMoonTermArguments; ++j) {
        if (mult[j] == 0) continue;
        const int k = kMoonMaxMultiple + mult[j];
        series::addthe(x, y, co_[j][k], si_[j][k], x, y);
    }
}

// Solar terms, latitude terms N and planetary terms.
void Moon200::periodicTerms(const MoonSeriesTable& table)
{
    dlam_ = ds_ = gam1c_ = n_ = 0.0;
    sinpi_ = table.sinpi0;
    double x = 0.0, y = 0.0;
    for (const MoonSolarTerm& t : table.solar) {
        product(t.mult, x, y);
        dlam_ += t.cl * y;
        ds_ += t.cs * y;
        gam1c_ += t.cg * x;
        sinpi_ += t.cp * x;
    }
    for (const MoonLatitudeTerm& t : table.latitude) {
        product(t.mult, x, y);
        n_ += t.cn * y;
    }
    for (const SineWave& w : table.planetary) dlam_ += series::sineWave(w, T_);
}
