// The information strip under the map and the texts it shares with the picture: the plotted
// instant's local time and the ideal mirror's angles of flares without a known surface.
#pragma once

#include <QString>

#include "core/records.h"

class QPainter;

// knownsurf of a flare surface that is not known, its mirror angles taken in the local attitude.
constexpr int kUnknownLocalSurface = -1;

// Local date and time of mjd (UT) as the map and the picture label it: month, day and time to
// the second (tenths for steps below a second).
QString PlotTimeText(const WinpData* in, double mjd);
// Local calendar year of mjd (UT).
int PlotYear(const WinpData* in, double mjd);

// True in the flare mode whose surface is not known and is given in the local attitude: the
// map and the picture then show the ideal mirror's yaw and pitch.
bool MirrorAnglesShown(const WinpData* in);
// "Y:" and "P:" with the ideal mirror's yaw and pitch, degrees (flryaw, flrpitch).
QString MirrorYawText(const WinpData* in);
QString MirrorPitchText(const WinpData* in);

// The three rows of figures of the information strip for the prime satellite in sp: time,
// position, sky position or event geometry, look angles, name and the last field.
void DrawMapInfo(QPainter& painter, const WinpData* in, const SatPosData* sp);
