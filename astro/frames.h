// Reference frames: ecliptic/equator, precession, nutation, polar motion, aberration,
// observer positions and the local horizon. Angles in radians unless stated; T is
// Julian centuries since J2000 (julcent), mjd a UT Modified Julian Date.
#pragma once

#include "foundation/mat3.h"
#include "foundation/vec3.h"

// Equatorial vector of the ecliptic vector v (mean equinox of T).
Vec3 eclequ(double T, const Vec3& v);
// Ecliptic vector of the equatorial vector v (mean equinox of T).
Vec3 equecl(double T, const Vec3& v);

// IAU 1976 precession matrix for ecliptic coordinates, mean equinox of T1 to that of T2.
Mat3 pmatecl(double T1, double T2);
// IAU 1976 precession matrix for equatorial coordinates, mean equinox of T1 to that of T2.
Mat3 pmatequ(double T1, double T2);

// Nutation in longitude dpsi and in obliquity deps (radians) at T; full selects the
// 50-term IAU 1980 series, otherwise the short series.
void nutangles(double T, bool full, double& dpsi, double& deps);
// Nutation matrix, mean to true equator and equinox of date at T; eqeq returns the
// equation of the equinoxes in seconds of time.
Mat3 nutmat(double T, double& eqeq, bool full);

// Polar-motion matrix for pole coordinates xp, yp in arcseconds.
Mat3 PoleMx(double xp, double yp);

// r displaced by the annual aberration at T (same length unit as r).
Vec3 aberrat(double T, const Vec3& r);

// Observer's geocentric equatorial position of date (Earth radii) at UT mjd, for geodetic
// latitude phi, east longitude lambda (radians) and height h (metres) on WGS-84; dsec is
// the equation of the equinoxes in seconds of time (0 for mean sidereal time).
Vec3 GeoPos(double mjd, double dsec, double phi, double lambda, double h);
// As above, with the polar motion xp, yp (arcseconds) applied to the Earth-fixed position.
Vec3 GeoPos(double mjd, double dsec, double phi, double lambda, double h, double xp, double yp);

// Rotation from the equator of date to the horizon (x south, y east, z zenith) at UT mjd of
// the site at geodetic latitude phi and east longitude lambda (radians); dsec as in GeoPos.
Mat3 HorizonMatrix(double mjd, double dsec, double phi, double lambda);
// Azimuth (from north through east, in (-pi, pi]), elevation (radians) and length of the
// horizontal vector h.
void HorizonAngles(const Vec3& h, double& azim, double& elev, double& dist);
// The azimuth alone, from h's x and y only; the elevation and length alone.
double HorizonAzimuth(const Vec3& h);
void HorizonElevation(const Vec3& h, double& elev, double& dist);

// Horizontal vector (x south, y east, z zenith) of the equatorial vector r of date.
Vec3 EquHor(double mjd, double dsec, double phi, double lambda, const Vec3& r);
// Equatorial vector of date of the horizontal vector r.
Vec3 HorEqu(double mjd, double dsec, double phi, double lambda, const Vec3& r);

// Azimuth (from north through east, in (-pi, pi]), elevation (radians) and distance of the
// equatorial vector r (Earth radii); topo != 0 makes the place topocentric.
void AppPos(double mjd, double dsec, double phi, double lambda, double h, int topo,
            const Vec3& r, double& azim, double& elev, double& dist);
// Right ascension in [0, 2pi) and declination (radians) of date of the direction azim, elev.
void AppRADec(double mjd, double dsec, double phi, double lambda, double azim, double elev,
              double& ra, double& dec);
