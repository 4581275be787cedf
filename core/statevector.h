// The prime satellite's orbit as the editing dialogs and orbika-cli see it: state vectors in the
// chosen coordinate frame, osculating elements, the epoch as year and day, SGP4 conversion and
// the element adjustment of newly read TLEs.
#pragma once

#include "core/records.h"
#include "foundation/vec3.h"

// Coordinate frames of the state vector (the values kept in svframe).
constexpr int kFrameTrueOfDate = 0;
constexpr int kFrameMeanOfDate = 1;
constexpr int kFrameJ2000 = 2;
constexpr int kFrameEarthFixed = 3;

// A state vector in one frame, with the satellite's propagation parameters.
struct StateVector {
    double mjd = 0;             // epoch, MJD UT
    Vec3 r, v;                  // position (km) and velocity (km/s) in frame
    int frame = kFrameTrueOfDate;
    double f107 = 0, f107avg = 0, kp = 0;   // daily and average solar flux, geomagnetic index
    double areamass = 0, cd = 0, cr = 0;    // m^2/kg, drag and radiation pressure coefficients
    bool reset = false;         // restart the numerical integration from this epoch state
};

// Osculating Keplerian elements (km and degrees) with the mean motion (rev/day).
struct OrbitElements {
    double sma = 0, ecc = 0, incl = 0, node = 0, argp = 0, manom = 0, mm = 0;
};

// Converts the state x, y, z (km), vx, vy, vz (km/s) at the UT instant mjd from frame from to
// frame to; unknown frames count as true of date.
void vsRefState(int from, int to, double mjd, double& x, double& y, double& z, double& vx,
                double& vy, double& vz, const WinpData* in = indata);

// The prime satellite's epoch state in the frame svframe with its propagation parameters.
void vsGetState(StateVector& s, const WinpData* in = indata);
// Stores the propagation parameters and svframe; with s.reset also the epoch and epoch state.
void vsPutState(const StateVector& s, WinpData* in = indata);

// Eccentricity and perigee height (km above the equatorial radius) of the state r (km),
// v (km/s); the perigee distance takes the place of the height for open orbits.
void vsCkHyp(const Vec3& r, const Vec3& v, double& ecc, double& perigee);

// Position (km) and velocity (km/s) at epoch of the osculating elements e.
void ElementsToState(const OrbitElements& e, Vec3& r, Vec3& v);
// Osculating elements of the state r (km), v (km/s) at the UT instant mjd; tp receives the
// perigee time (MJD), which replaces the epoch of open orbits.
OrbitElements StateToElements(double mjd, const Vec3& r, const Vec3& v, double& tp);

// Replaces the osculating elements e (mean equator of date at the UT instant mjd) by the SGP4
// mean elements of the same state; the semi-major axis follows the SGP4 mean motion.
void cvSGP4(double mjd, OrbitElements& e, const WinpData* in = indata);

// Element adjustment of newly read TLEs: activate, SDP4 for long periods, fixed mean motion n0
// (rev/day, 0 = unchanged), epoch shift (s), node shift (degrees), WGS-84 constants (1) or WGS-72.
void vsGetAdj(bool& activate, bool& sdp4, double& n0, double& dt, double& dnode, int& wgs84,
              const WinpData* in = indata);
void vsPutAdj(bool activate, bool sdp4, double n0, double dt, double dnode, int wgs84,
              WinpData* in = indata);

// Calendar year of the UT instant mjd and the day of that year with fraction (1.0 = 1 Jan 0h).
void EpochYearDay(double mjd, int& year, double& day);
// MJD of day day (with fraction) of year.
double EpochMjd(int year, double day);

// Clears slot as a new entry: catalogue number 0, blank name and designator, Keplerian, epoch
// now, all elements 0, spacecraft values from the defaults and no manoeuvre.
void vsNewSat(WinpData* in, int slot);
