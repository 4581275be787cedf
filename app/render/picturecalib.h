// The line written at the top of a picture while satellites are plotted on it.
#pragma once

#include <QColor>
#include <QString>

#include <vector>

// One text of the line at the visible top of a plotted picture.
struct PictureLabel {
    int column;      // pixels from the visible left edge
    QColor colour;
    QString text;
};

// The line of the plot step at mjd (UT) with nsat satellites computed into satps: the time, the
// prime satellite's R.A. and Dec. (in the flare mode without a known surface the ideal mirror's
// yaw and pitch instead) and its name, or the notice that no satellite is selected.
std::vector<PictureLabel> PictureLine(double mjd, int nsat);
