#include "astro/leapseconds.h"

namespace {

// One step of TAI - UTC: the MJD of the day from which it holds and its value (s).
struct LeapStep {
    double mjd;
    double taiMinusUtc;
};

// Every step from 1972 January 1 (UTC in whole seconds) to 2017 January 1, from the IERS
// Earth Orientation Centre's leap-second history (Bulletin C, file Leap_Second.dat).
constexpr LeapStep kLeapSteps[] = {
    {41317.0, 10.0},  // 1972 Jan 1
    {41499.0, 11.0},  // 1972 Jul 1
    {41683.0, 12.0},  // 1973 Jan 1
    {42048.0, 13.0},  // 1974 Jan 1
    {42413.0, 14.0},  // 1975 Jan 1
    {42778.0, 15.0},  // 1976 Jan 1
    {43144.0, 16.0},  // 1977 Jan 1
    {43509.0, 17.0},  // 1978 Jan 1
    {43874.0, 18.0},  // 1979 Jan 1
    {44239.0, 19.0},  // 1980 Jan 1
    {44786.0, 20.0},  // 1981 Jul 1
    {45151.0, 21.0},  // 1982 Jul 1
    {45516.0, 22.0},  // 1983 Jul 1
    {46247.0, 23.0},  // 1985 Jul 1
    {47161.0, 24.0},  // 1988 Jan 1
    {47892.0, 25.0},  // 1990 Jan 1
    {48257.0, 26.0},  // 1991 Jan 1
    {48804.0, 27.0},  // 1992 Jul 1
    {49169.0, 28.0},  // 1993 Jul 1
    {49534.0, 29.0},  // 1994 Jul 1
    {50083.0, 30.0},  // 1996 Jan 1
    {50630.0, 31.0},  // 1997 Jul 1
    {51179.0, 32.0},  // 1999 Jan 1
    {53736.0, 33.0},  // 2006 Jan 1
    {54832.0, 34.0},  // 2009 Jan 1
    {56109.0, 35.0},  // 2012 Jul 1
    {57204.0, 36.0},  // 2015 Jul 1
    {57754.0, 37.0},  // 2017 Jan 1
};

}  // namespace

double TaiMinusUtc(double mjd)
{
    double value = kLeapSteps[0].taiMinusUtc;
    for (const LeapStep& step : kLeapSteps)
        if (mjd >= step.mjd) value = step.taiMinusUtc;
    return value;
}
