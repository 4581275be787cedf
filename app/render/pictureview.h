// The picture view: a loaded picture shown in place of the map at full, half or quarter size,
// the line written at its visible top while satellites are plotted on it, the trail points'
// coordinates and the satellites' markers on a calibrated picture.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QString>

#include <vector>

#include "core/records.h"

class QImage;

// One text of the line at the visible top of a plotted picture.
struct PictureLabel {
    int column;      // pixels from the visible left edge
    QColor colour;
    QString text;
};

// The line of the plot step at mjd (UT) with nsat satellites computed into sp: the time, the
// prime satellite's R.A. and Dec. (in the flare mode without a known surface the ideal mirror's
// yaw and pitch instead) and its name, or the notice that no satellite is selected.
std::vector<PictureLabel> PictureLine(const WinpData* in, const SatPosData* sp, double mjd, int nsat);

class PictureView {
public:
    // Takes a newly loaded picture; it is shown after the next setSize.
    void load(const QImage& image);
    // Shows the picture at full (1), half (2) or quarter (3) size, with nothing written on it.
    void setSize(int size);
    // Removes what was written on the shown picture.
    void clear() { pmShown = pmPicture; }
    // Writes the R.A. (h.mmss) and Dec. (d.mmss) of a trail point at the visible top-left corner.
    void drawTrailPoint(const WinpData* in, const QPoint& corner, double ra, double dec);
    // Writes the line of the plot step at mjd at the visible top-left corner and, on a
    // calibrated picture, marks the nsat satellites of sp.
    void drawPlot(const WinpData* in, const SatPosData* sp, double mjd, int nsat, const QPoint& corner);

    const QPixmap& shown() const { return pmShown; }

private:
    QPixmap pmSource;   // the picture as loaded
    QPixmap pmPicture;  // the picture at the display size
    QPixmap pmShown;    // the picture with what is written on it
};
