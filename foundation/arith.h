// Arithmetic helpers: the fractional part, angle folding and the sexagesimal split of degrees
// or hours.
#pragma once

// Remainder of x modulo 1 with the sign of x: frac(-0.25) = -0.25.
double frac(double x);

// Angle a folded into 0 <= a < period (360 for degrees, 2 pi for radians).
double FoldPositive(double a, double period);
// Angle a (radians) folded into -pi..pi.
double FoldPi(double a);

// Degrees (or hours) from degrees, minutes and seconds; negative when any field is.
double ddd(int d, int m, double s);
// Splits x into whole degrees, whole minutes and seconds; the sign goes to the first non-zero field.
void dms(double x, int& d, int& m, double& s);
