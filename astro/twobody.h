// Unperturbed two-body motion: Kepler's equation, position and velocity on conics, and
// osculating elements. Units follow gm: e.g. km^3/s^2 with km and km/s, or AU^3/d^2 with
// AU and AU/d; times in the unit of gm's time.
#pragma once

#include "foundation/vec3.h"

// Eccentric anomaly (radians) for mean anomaly M (radians) and eccentricity e < 1.
double eccanom(double M, double e);
// Hyperbolic anomaly for mean anomaly M (radians) and eccentricity e > 1.
double hypanom(double M, double e);

// In-plane position r and velocity v (x toward perihelion, z = 0) on an ellipse of
// semi-major axis a and eccentricity e at mean anomaly M (radians).
void ellip(double gm, double M, double a, double e, Vec3& r, Vec3& v);
// In-plane position and velocity on a hyperbola (|a| used) at time t, perihelion at t0.
void hyperb(double gm, double t0, double t, double a, double e, Vec3& r, Vec3& v);
// In-plane position and velocity on a (near-)parabolic orbit of perihelion distance q at
// time t, perihelion at t0, by the universal-variable method.
void parab(double gm, double t0, double t, double q, double e, Vec3& r, Vec3& v);

// Stumpff functions c1, c2, c3 of e2 (c1(0) = 1, c2(0) = 1/2, c3(0) = 1/6).
void stumpff(double e2, double& c1, double& c2, double& c3);

// Position r and velocity v at time t from the elements a, e and the angles m, node, argp,
// i in degrees.
//  e < 1, m >= 0: ellipse; m is the mean anomaly at the epoch t0.
//  e > 1, m >= 0: hyperbola; t0 is the time of perihelion, m is not used.
//  e = 1: parabola; t0 is the time of perihelion and a the perihelion distance.
//  e != 1, m < 0: the near-parabolic method is used instead; t0 is the time of perihelion
//  and the perihelion distance is |a| |1 - e|. It is exact near perihelion and for e near
//  1, and loses accuracy far from perihelion on clearly elliptic or hyperbolic orbits
//  (oscelm's m of a hyperbola is negative before perihelion and selects it).
void kepler(double gm, double t0, double t, double m, double a, double e, double node,
            double argp, double i, Vec3& r, Vec3& v);

// Osculating elements of r, v at time t: time of perihelion tp, mean anomaly m (degrees;
// [0, 360) on an ellipse), semi-major axis a (negative for a hyperbola, the perihelion
// distance for a parabola), eccentricity e, node, argp, i (degrees).
void oscelm(double gm, double t, const Vec3& r, const Vec3& v, double& tp, double& m, double& a,
            double& e, double& node, double& argp, double& i);
