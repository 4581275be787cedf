// Heliocentric positions of Mercury to Saturn from the PLAN200 perturbation series.
#pragma once
#include "astro/perturbation_series.h"
#include "foundation/vec3.h"

// Working state of one evaluation; each method re-initialises everything it uses, so one
// object serves all planets in any order. Not to be shared between threads.
class Plan200 {
public:
    // Heliocentric ecliptic position (AU, mean ecliptic and equinox of date) of the planet
    // at T Julian centuries TT since J2000.
    Vec3 Mercury(double T);
    Vec3 Venus(double T);
    Vec3 Mars(double T);
    Vec3 Jupiter(double T);
    Vec3 Saturn(double T);

    // Approximate velocity (AU/day) of the planet evaluated last.
    const Vec3& velocity() const { return series_.velocity(); }

private:
    PerturbationSeries series_;
};
