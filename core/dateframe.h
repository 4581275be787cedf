// Time scales and frame matrices of one instant, as the satellite computations use them.
#pragma once

#include "core/records.h"
#include "foundation/mat3.h"
#include "foundation/vec3.h"

// Instants and frame quantities of one UT instant.
struct DateFrame {
    double t;     // UT instant, MJD
    double trot;  // instant of the Earth's rotation: t + UT1-UTC with IERS values, MJD
    double T;     // Julian centuries TT since J2000
    double eqeq;  // equation of the equinoxes, seconds of time
    double gast;  // apparent Greenwich sidereal time at trot, radians
    Mat3 nut;     // nutation matrix, mean to true equator and equinox of date
    Mat3 teme;    // rotation from the TEME frame of SGP4 to the true equator and equinox of date
};

// Instant (MJD) of the Earth's rotation at the UT instant mjd: UT1 with IERS values, else UT.
double RotationMjd(const WinpData* in, double mjd);

// Frame quantities at the UT instant mjd: TT - UT from the calendar year of mjd, the full
// nutation series when IERS values are set.
DateFrame MakeDateFrame(const WinpData* in, double mjd);
// The same with the TT instant given as T, Julian centuries since J2000.
DateFrame MakeDateFrame(const WinpData* in, double mjd, double T);

// Rotation from the true equator and equinox of date to the mean equator and equinox of the
// year in->epoch; the identity when epoch is 0.
Mat3 EpochMatrix(const WinpData* in, const DateFrame& f);

// Unit vector of the direction of R.A. ra (h.mmss) and Dec. dec (d.mmss).
Vec3 SkyDirection(double ra, double dec);
// R.A. ra (h.mmss, 0 to 24 h) and Dec. dec (d.mmss) of the direction v.
void SkyCoordinates(const Vec3& v, double& ra, double& dec);

// Geocentric Sun (Earth radii, true equator and equinox of date, with annual aberration).
Vec3 SunOfDate(const DateFrame& f);
// Geocentric Moon (Earth radii, true equator and equinox of date).
Vec3 MoonOfDate(const DateFrame& f);
