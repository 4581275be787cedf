// Start instant from the system clock, civil date to MJD, TT - UT, and refraction of elevations.
#pragma once

#include <ctime>

#include "core/records.h"

// Refraction-corrected elevation (degrees) of the geometric elevation elev (degrees); elev itself
// when refraction is off, in relative satellite mode, or outside -2 < elev < 85.
double ElvRefr(const WinpData* in, double elev);

// TT - UT in seconds for a calendar year: from the user's UTC - TAI when IERS values are set,
// else the default of that year.
double SetTtUt(const WinpData* in, int year);

// Today's UT date from the system clock.
void DefDate(int& day, int& month, int& year);

// Sets day ... second to the UT date and time of the instant now (seconds since 1970) and
// systzone to the system zone at that instant.
void DefTime(WinpData* in, std::time_t now);
// The same for the current system time.
void DefTime(WinpData* in);

// Recomputes mjd (UT) and ttut from the local date fields and the time zone (the system zone when
// systzflg is set); clears the pass continuation and stops delta-time plotting.
void setNewMjd(WinpData* in);

// Sets day ... second to the local civil time of mjd + timezone/24, seconds rounded.
void setLocalDate(WinpData* in);

// MJD (UT) of the instant now (seconds since 1970); the date fields of in are left unchanged.
double RT_MJD(WinpData* in, std::time_t now);
// The same for the current system time.
double RT_MJD(WinpData* in);
