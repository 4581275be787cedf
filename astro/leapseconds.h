// Leap seconds: TAI - UTC as published by the IERS since UTC took whole-second steps in 1972.
#pragma once

// Last calendar year for which the table below is complete: IERS Bulletin C has announced no
// leap second since the one at the start of 2017 up to the end of this year.
constexpr int kLeapTableLastYear = 2026;

// TAI - UTC in seconds in force at the UTC instant mjd, from 1972 January 1 on; 10 before it
// (the first value of the table).
double TaiMinusUtc(double mjd);
