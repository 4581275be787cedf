// Geocentric position of the Moon from the condensed Brown lunar series.
#pragma once
#include <array>

#include "astro/astro_tables.h"
#include "foundation/vec3.h"

// Working state of one evaluation; cheap to construct, not to be shared between threads.
class Moon200 {
public:
    // Geocentric ecliptic position of the Moon (Earth radii, mean ecliptic and equinox of
    // date) at T Julian centuries TT since J2000.
    Vec3 position(double T);

private:
    static constexpr int kTable = 2 * kMoonMaxMultiple + 1;

    void longPeriodic(const MoonSeriesTable& table);
    void meanArguments(const MoonSeriesTable& table);
    void product(const std::array<int, kMoonTermArguments>& mult, double& x, double& y) const;
    void periodicTerms(const MoonSeriesTable& table);

    double T_ = 0.0;
    std::array<double, kMoonCorrections> corr_{};  // DL0, DL, DLS, DF, DD (arcsec)
    double dgam_ = 0.0;
    std::array<double, kMoonArguments> arg_{};      // L0, l, ls, F, D (radians)
    std::array<double, kMoonTermArguments> fac_{};  // scale factors of l, ls, F, D (argument - 1)
    std::array<std::array<double, kTable>, kMoonTermArguments> co_{}, si_{};
    double dlam_ = 0.0, ds_ = 0.0, gam1c_ = 0.0, sinpi_ = 0.0, n_ = 0.0;  // sums, arcsec
};
