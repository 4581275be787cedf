// Conversion between mean motion and semi-major axis with the J2 secular correction.
#pragma once

// Semi-major axis (km, at least 0.001) of an orbit with mean motion n (rev/day), eccentricity e
// and inclination incl (degrees); sgp4 non-zero treats n as an SGP4 (Kozai) mean motion.
double getsax(int sgp4, double n, double e, double incl);

// Mean motion (rev/day, at most 1000) of an orbit with semi-major axis a (km), eccentricity e and
// inclination incl (degrees); 1/(2 pi) for e of 1 or more.
double getn0(double a, double e, double incl);
