// Texts derived from the satellite state outside the pass list: the step-by-step details of a
// listed pass, the orbit track of the save file, the local information of a clicked map or sky
// position, and the sky map centre.
#pragma once

#include <cstdio>

#include "core/records.h"

// Bytes a GetPassDTxt buffer must hold, terminator included.
constexpr int kPassDetailBytes = 512;
// Bytes a LocalInf buffer must hold, terminator included.
constexpr int kLocalInfBytes = 1024;

// Writes into buf (kPassDetailBytes) the detail line of the prime satellite at t (MJD, UT), then
// advances t by tstep (one day when tstep is 0). The first call, with t = 0, starts at the listed
// pass passaos[pdpass + pdoffset] and puts the header before the line; later lines start with a
// newline. Returns 1 while the satellite is visible (line written), 0 when the pass is over.
// mode 0: display; 1: plain numbers for saving; 2: time and ground track.
int GetPassDTxt(WinpData* in, double& t, char* buf, int mode, SatPosData* sp = satps);

// Writes the orbit track of the prime satellite over [start, start + duration] in steps of
// tstep to f: a header, then one line per instant (local time, longitude, latitude, height km;
// the centre-line point instead for occultations, transits and known-surface flares).
void WriteOrbitTrack(WinpData* in, std::FILE* f, SatPosData* sp = satps);

// Replaces the save file with the orbit track. Returns 0 on success, 1 when the save file
// cannot be written (the old file then kept).
int saveOrbitTrack(WinpData* in, SatPosData* sp = satps);

// Writes into buf (kLocalInfBytes) the local information at the instant mjd: on the sky map the
// clicked point and the prime satellite's distance from it and course; on the world map the
// site's Sun elevation and every satellite's look angles, and, with one satellite selected, its
// distance, state vector, beta angle, Sun direction and the site's direction from it.
void LocalInf(WinpData* in, char* buf, SatPosData* sp = satps);

// Sets skyazim to the azimuth (degrees) of the prime satellite at t (MJD, UT).
void SkyAzim(WinpData* in, double t, SatPosData* sp = satps);
