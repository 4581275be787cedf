// Calendar and time scales: Modified Julian Dates, sidereal time, obliquity, TT - UT.
#pragma once

// MJD of a calendar date (Gregorian from 1582 Oct 15, Julian before) and hour.
double mjd(int day, int month, int year, double hour);
// Calendar date and hour of an MJD; proleptic Julian calendar before JD 0.
void caldat(double mjd, int& day, int& month, int& year, double& hour);

// Days per Julian century.
constexpr double kJulianCentury = 36525.0;

// Julian centuries since J2000.0 of an MJD.
double julcent(double mjd);

// Local mean sidereal time (hours) at UT mjd and east longitude lambda (degrees), plus dsec seconds.
double lsidtim(double mjd, double lambda, double dsec);

// Mean obliquity of the ecliptic (radians), IAU 1976, for T Julian centuries since J2000.
double eps(double T);

// Default TT - UTC in seconds for a calendar year: from the leap seconds in force on 1 January
// for 1972 to kLeapTableLastYear, from a model of Delta T outside that span.
double DefTdUt(int year);
