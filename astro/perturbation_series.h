// Evaluator of the Sun and planet perturbation series (one table-driven routine for all).
#pragma once
#include <array>

#include "astro/astro_tables.h"
#include "foundation/vec3.h"

// Working state of one evaluation: cosine/sine tables of the multiples of the mean
// anomalies, the perturbation sums and the resulting coordinates. Nothing is allocated.
class PerturbationSeries {
public:
    // Evaluates the series at T Julian centuries TT since J2000 and returns the position in
    // AU, ecliptic and equinox of date; velocity() then holds the approximate velocity.
    const Vec3& evaluate(const PerturbationSeriesTable& table, double T);

    const Vec3& position() const { return position_; }
    // Approximate velocity (AU/day) from the series' rate terms; zero when it has none.
    const Vec3& velocity() const { return velocity_; }
    double longitude() const { return l_; }  // radians, [0, 2*pi)
    double latitude() const { return b_; }   // radians
    double radius() const { return r_; }     // AU
    double ownAnomaly() const { return ownAnomaly_; }  // mean anomaly of the own body, radians

private:
    static constexpr int kOwnTable = 2 * kSeriesMaxOwnMultiple + 1;
    static constexpr int kPerturberTable = 2 * kSeriesMaxPerturberMultiple + 1;

    double ownCos(int I) const { return C_[kSeriesMaxOwnMultiple + I]; }
    double ownSin(int I) const { return S_[kSeriesMaxOwnMultiple + I]; }
    void term(const PerturbationTerm& t);
    void periodic(const PeriodicCorrection& p);
    void rateSums(const TableSlice<RateTerm>& rates);
    void posvel();

    std::array<double, kOwnTable> C_{}, S_{};
    std::array<double, kPerturberTable> c_{}, s_{};
    std::array<double, kSeriesMaxArguments> arg_{};
    double T_ = 0.0, ownAnomaly_ = 0.0;
    double u_ = 0.0, v_ = 0.0;                 // cos and sin of the current term's argument
    double dl_ = 0.0, dr_ = 0.0, db_ = 0.0;    // perturbation sums, later the rate sums
    double l_ = 0.0, b_ = 0.0, r_ = 0.0;
    Vec3 position_, velocity_;
};
