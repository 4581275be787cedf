// Picture astrometry: a linear plate model in standard coordinates about the first of three
// reference stars, its inversion to R.A./Dec., and the click sequence kept in the settings record
// (picstep, picra/picdec, picx/picy, plateA/plateB).
#pragma once

#include "core/records.h"

// Standard (gnomonic) coordinates x, y (radians of the tangent plane, x growing to the west) of
// the direction ra, dec about the tangent point ra0, dec0 (all radians).
void equplt(double ra0, double dec0, double ra, double dec, double& x, double& y);

// Solves the three plate equations of one coordinate. rows holds three rows (X_i, Y_i, 1, -s_i)
// of pixel offsets from star 0 and the negated standard coordinate; out receives (a, b, c) of
// s = a X + b Y + c. Star 0 must sit at X = Y = s = 0; tiny divisors are replaced by 1e-20.
void lsqfit(const double* rows, double* out);

// Plate constants plateA (a, b, c) and plateB (d, e, f) from the three reference stars.
void getPlateConst(WinpData* in);

// R.A. (h.mmss) and Dec. (d.mmss) of the picture pixel x, y under the plate constants.
void getRaDec(const WinpData* in, int x, int y, double& ra, double& dec);

// Picture pixel x, y of the direction ra, dec (radians) under the plate constants; false (x, y
// unchanged) for a direction 90 degrees or more from the tangent point, which has no pixel.
bool platePixel(const WinpData* in, double ra, double dec, int& x, int& y);

// Stores reference star slot (picstep - 1): R.A. (h.mmss) and Dec. (d.mmss) at pixel x, y;
// computes the plate constants after the third star and advances picstep.
void picSetStar(WinpData* in, int x, int y, double raHms, double decDms);

// Forgets the reference stars and restarts the calibration at star 1.
void picAbort(WinpData* in);

// Measures the trail point at pixel x, y: R.A. (h.mmss) and Dec. (d.mmss) go to slot 3, then 4;
// later points shift slot 4 to slot 3 and take slot 4. Returns the slot written.
int picTrailPoint(WinpData* in, int x, int y, double& raHms, double& decDms);

// True when two trail points have been measured (slots 3 and 4 hold positions).
bool picHasTrail(const WinpData* in);

// R.A. (h.mmss) and Dec. (d.mmss) of the last two points measured on the picture, older first;
// false (values unchanged) when two points have not been measured yet.
bool vsGetPict(double& ra1, double& dec1, double& ra2, double& dec2, const WinpData* in = indata);
