#include "astro/perturbation_series.h"

#include <algorithm>
#include <cmath>

#include "astro/series_math.h"

namespace {
// Rate sums are in units of 1e-4 rad/day (dl, db) and 1e-4 AU/day (dr).
constexpr double kRateUnit = 1e-4;
}  // namespace

using series::addthe;
using series::fillMultiples;

const Vec3& PerturbationSeries::evaluate(const PerturbationSeriesTable& table, double T)
{
    T_ = T;
    for (std::size_t k = 0; k < table.args.size; ++k) arg_[k] = series::meanArgument(table.args.data[k], T);
    ownAnomaly_ = arg_[table.own];
    fillMultiples(ownAnomaly_, 1.0, std::max(-table.ownMin, table.ownMax), C_, S_);

    dl_ = dr_ = db_ = 0.0;
    for (const PerturbationBlock& block : table.blocks) {
        fillMultiples(arg_[block.arg], 1.0, std::max(-block.imin, block.imax), c_, s_);
        for (const PerturbationTerm& t : block.terms) term(t);
    }
    for (const PeriodicCorrection& p : table.periodic) periodic(p);
    dl_ += table.poly.c0 + (table.poly.c1 + table.poly.c2 * T) * T;
    for (const SineWave& w : table.waves) dl_ += series::sineWave(w, T);

    const LongitudeConstants& lon = table.lon;
    l_ = series::revolutionAngle(lon.L0 + ownAnomaly_ / series::kTwoPi +
                                 ((lon.q + lon.p * T) * T + dl_) / series::kArcsecPerRevolution);
    b_ = (table.lat.c0 + (table.lat.c1 + table.lat.c2 * T) * T + db_) * angle_units::kArcsecToRad;
    r_ = table.rad.r0 + table.rad.r1 * T + table.rad.k * dr_;

    rateSums(table.rates);
    posvel();
    return position_;
}

// Adds one periodic term; a secular term (iT > 0) reuses the previous term's argument times T.
void PerturbationSeries::term(const PerturbationTerm& t)
{
    constexpr int mid = kSeriesMaxPerturberMultiple;
    if (t.iT == 0) {
        addthe(ownCos(t.I), ownSin(t.I), c_[mid + t.i], s_[mid + t.i], u_, v_);
    } else {
        u_ *= T_;
        v_ *= T_;
    }
    dl_ += t.dlc * u_ + t.dls * v_;
    dr_ += t.drc * u_ + t.drs * v_;
    db_ += t.dbc * u_ + t.dbs * v_;
}

// Adds one long-period correction in a combination of the series' arguments.
void PerturbationSeries::periodic(const PeriodicCorrection& p)
{
    double phi = 0.0;
    for (std::size_t j = 0; j < p.phi.k.size(); ++j) phi += p.phi.k[j] * arg_[p.phi.index[j]];
    const double c = std::cos(phi), s = std::sin(phi);
    dl_ += (p.dlc0 + p.dlc1 * T_) * c + (p.dls0 + p.dls1 * T_) * s;
    dr_ += p.drc * c + p.drs * s;
    db_ += p.dbc * c + p.dbs * s;
}

// Replaces dl, dr, db by the rate series in multiples of the own anomaly.
void PerturbationSeries::rateSums(const TableSlice<RateTerm>& rates)
{
    dl_ = dr_ = db_ = 0.0;
    for (const RateTerm& t : rates) {
        double f = 1.0;
        if (t.func == RateFunc::Cos) f = ownCos(t.n);
        if (t.func == RateFunc::Sin) f = ownSin(t.n);
        double& sum = t.coord == RateCoord::Dl ? dl_ : t.coord == RateCoord::Dr ? dr_ : db_;
        sum += t.amp * f;
    }
}

// Position from l, b, r and velocity from the rate sums.
void PerturbationSeries::posvel()
{
    const double cl = std::cos(l_), sl = std::sin(l_);
    const double cb = std::cos(b_), sb = std::sin(b_);
    position_.assign(r_ * cl * cb, r_ * sl * cb, r_ * sb);
    velocity_.assign(kRateUnit * (dr_ * cl * cb - dl_ * r_ * sl * cb - db_ * r_ * cl * sb),
                     kRateUnit * (dr_ * sl * cb + dl_ * r_ * cl * cb - db_ * r_ * sl * sb),
                     kRateUnit * (dr_ * sb + db_ * r_ * cb));
}
