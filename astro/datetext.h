// Calendar date and time of an MJD as fields and as short text.
#pragma once

// Calendar date and time of an MJD, split into whole hours, minutes and seconds.
// MJDs beyond +/-1e8 days are clamped and NaN becomes 0 so the fields stay in range.
void caltime(double mjd, int& day, int& month, int& year, int& hour, int& minute, double& second);

// Writes "MON dd hh:mm" (12 characters, minutes rounded, hour 24 possible) of an MJD to out (13 bytes).
void dtmstr(double mjd, char* out);
