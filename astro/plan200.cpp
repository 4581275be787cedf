#include "astro/plan200.h"

Vec3 Plan200::Mercury(double T)
{
    return series_.evaluate(kMercury200Table, T);
}

Vec3 Plan200::Venus(double T)
{
    return series_.evaluate(kVenus200Table, T);
}

Vec3 Plan200::Mars(double T)
{
    return series_.evaluate(kMars200Table, T);
}

Vec3 Plan200::Jupiter(double T)
{
    return series_.evaluate(kJupiter200Table, T);
}

Vec3 Plan200::Saturn(double T)
{
    return series_.evaluate(kSaturn200Table, T);
}
