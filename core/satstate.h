// The state of a selected satellite at one instant: position, sub-satellite point, look
// angles from the site, sky position, illumination, magnitude and footprint.
#pragma once

#include "core/records.h"

struct SiteInstant;  // core/siteinstant.h

// Magnitude of the prime satellite while it is in the Earth's shadow and not lit by the Moon:
// it shows none.
constexpr double kEclipsedMagnitude = 98.0;

// Fills the row of slot (0..kMaxSat-1) in sp for the UT instant mjd: sub-satellite point,
// height, R.A./Dec., azimuth, elevation, range, range rate, illumination, Sun at the site,
// the prime satellite's magnitude and eclipse check, and the centre-line point of a transit,
// occultation (occmode) or flare (flares, iridmode 3), the event quantity replacing the prime's
// magnitude; full != 0 adds the footprint circle (not with occmode or flares).
// The satellite position (km) and velocity (km/s) of date go to sp->vec1 and sp->vec2.
// Stores the analytically propagated state (m, m/s, mean equator of date: the frame of the
// numerical propagation) and mjd in the slot's stpos/stvel/stmjd. Slots kMaxSat..kSlots-1
// (the TLE reader's work slot) get only that state, vec1/vec2 and the Sun values.
// Relative mode (relmode, slot = prime, nsat > 1, no occultation or flares): the next selected
// satellite is computed first and observes the prime; the prime's row then holds the second's
// lat/lon/height, its own lat/lon in ra/dec and its own height in sunlit (primelit, seclit
// keep both illuminations), and the site fields are restored.
void GetSatPos(double mjd, WinpData* in, SatPosData* sp, int slot, int full);

// Azimuth, elevation and range of slot (0..kMaxSat-1) at the UT instant mjd into sp, computed
// exactly as GetSatPos computes them but without the Sun, Moon, sky position, illumination and
// events; the rest of the row is left as it was. Also stores the slot's analytic state, and the
// position and velocity of date in sp->vec1 and sp->vec2 as GetSatPos does.
void GetHorizonPos(double mjd, WinpData* in, SatPosData* sp, int slot);

// GetHorizonPos at the instant of site (as SiteAt gives it) without the azimuth: sp->azim is
// left as it was, and the direction of the satellite from the site in its horizon frame
// (x south, y east, z zenith; Earth radii) goes to h. For a slot outside relative mode (with
// numerical propagation the state is that of GetSatPos).
void GetElevationPos(const SiteInstant& site, WinpData* in, SatPosData* sp, int slot, Vec3& h);
// Azimuth (degrees, 0 to 360) of the horizon direction h, as GetHorizonPos gives it.
double AzimuthDegrees(const Vec3& h);

// True when cksatok of slot depends on its elevation alone (AboveMinElevation): plain passes
// outside relative mode, no visibility condition, analytic propagation and a Sun that cannot
// reach the maximum Sun elevation at the site. GetHorizonPos then serves the pass search.
bool HorizonOnly(const WinpData* in, int slot);

// True when the Sun can never climb to elev (degrees) at the site: at its largest declination
// it culminates lower at the site's latitude.
bool SunNeverReaches(const WinpData* in, double elev);

// True when the satellite in slot meets the visibility conditions of the settings
// (or, in relative mode, when the two satellites see each other).
bool cksatok(const WinpData* in, const SatPosData* sp, int slot);
// True when slot's elevation is not below the minimum satellite elevation.
bool AboveMinElevation(const WinpData* in, const SatPosData* sp, int slot);

// Footprint circle of slot around its sub-satellite point of latitude lat (radians) into
// sp->circlat/circlon (radians); sets sp->ncircle.
void GetSatVis(SatPosData* sp, double lat, int slot);

// Apparent azimuth az and elevation el (radians) at the site of the occultation target, at UT
// mjd with T Julian centuries TT since J2000: occra/occdec as R.A. (h.mmss) and Dec. (d.mmss)
// referred to epoch when occradec is set, else the entered azimuth and elevation (degrees).
void convRDAE(const WinpData* in, double mjd, double T, double& az, double& el);

// True when relative satellite mode is in force: relmode set, two or more satellites, and
// neither an occultation/transit target nor flares.
bool RelativeMode(const WinpData* in);

// Slot of the second satellite of relative mode: the one after the prime, wrapping to 0.
int SecondSlot(const WinpData* in);
