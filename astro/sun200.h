// Geocentric position of the Sun from the SUN200 series (Newcomb's theory with planetary
// and lunar perturbations).
#pragma once
#include "astro/perturbation_series.h"
#include "foundation/vec3.h"

// Working state of one evaluation; cheap to construct, not to be shared between threads.
class Sun200 {
public:
    // Geocentric ecliptic position of the Sun (AU, mean ecliptic and equinox of date) at
    // T Julian centuries TT since J2000.
    Vec3 position(double T);
    // The position into r and an approximate Keplerian velocity (AU/day) into v.
    void state(double T, Vec3& r, Vec3& v);

private:
    PerturbationSeries series_;
};
