#include "astro/sun200.h"

#include <cmath>

namespace {
// Mean Keplerian orbit of the Sun behind its approximate velocity: eccentricity e, 2e (the
// first-order eccentric anomaly), sqrt(1 - e^2), and the orbital speed scales n*a and
// n*a*sqrt(1 - e^2) in AU/day along x (to the perihelion) and y (n the mean motion in
// rad/day, a = 1 AU).
constexpr double kEcc = 0.0167086;
constexpr double kTwiceEcc = 0.0334172;
constexpr double kSqrtOneMinusE2 = 0.9998604;
constexpr double kOrbitSpeedX = 0.017202085;
constexpr double kOrbitSpeedY = 0.0171996836;
}  // namespace

Vec3 Sun200::position(double T)
{
    return series_.evaluate(kSun200Table, T);
}

void Sun200::state(double T, Vec3& r, Vec3& v)
{
    r = position(T);
    const double M = series_.ownAnomaly();
    const double E = M + kTwiceEcc * std::sin(M);
    const double w = 1.0 - kEcc * std::cos(E);
    // In-orbit velocity (x to the perihelion), then its radial and angular parts.
    const double vx = -kOrbitSpeedX * std::sin(E) / w;
    const double vy = kOrbitSpeedY * std::cos(E) / w;
    const double nu = std::atan2(kSqrtOneMinusE2 * std::sin(E), std::cos(E) - kEcc);
    const double R = series_.radius();
    const double dr = vx * std::cos(nu) + vy * std::sin(nu);
    const double dl = (-vx * std::sin(nu) + vy * std::cos(nu)) / R;
    const double L = series_.longitude(), B = series_.latitude();
    v.assign(dr * std::cos(L) * std::cos(B) - R * dl * std::sin(L) * std::cos(B),
             dr * std::sin(L) * std::cos(B) + R * dl * std::cos(L) * std::cos(B),
             dr * std::sin(B));
}
