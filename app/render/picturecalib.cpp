// Picture astrometry on the view: the click sequence (three reference stars through the star
// dialog, then trail points labelled at the visible top of the picture) and the selected
// satellites plotted on the calibrated picture.
#include "picturecalib.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include <QFontMetrics>
#include <QPainter>

#include "app/glue/messages.h"
#include "core/astrometry.h"
#include "core/satstate.h"
#include "core/statefault.h"
#include "foundation/textconv.h"
#include "foundation/units.h"
#include "obastdialog.h"
#include "orbikaview.h"
#include "worldmap.h"

namespace {

using angle_units::kDegToRad;
using angle_units::kPi;
using angle_units::kRadToDeg;

// Columns of the line at the visible top of the picture, and its gap below the top, pixels.
constexpr int kTimeColumn = 10;
constexpr int kRaColumn = 180;
constexpr int kDecColumn = 320;
constexpr int kPitchColumn = 290;
constexpr int kNameColumn = 500;
constexpr int kTopGap = 10;
// Angle formats of prpang: R.A. already h.mmss, Dec. already d.mmss; trail points show four
// decimals of the sexagesimal form.
constexpr int kHmsAngle = -2;
constexpr int kDmsAngle = -1;
constexpr int kPointDigits = 1;
using angle_units::kHourToRad;
// Smallest font size accepted for the picture text, points.
constexpr int kMinPoints = 1;

const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);

// "R.A.:" or "Dec.:" followed by the angle v formatted by prpang.
QString angleText(const char* label, int digits4, int mode, double v)
{
    char buf[32];
    prpang(buf, digits4, mode, v);
    return QString::fromLatin1(label) + QString::fromLatin1(buf);
}

// Writes the R.A. (h.mmss) and Dec. (d.mmss) columns at the baseline y from the corner's x.
void drawRaDec(QPainter& p, int x0, int y, int digits4, double ra, double dec)
{
    p.drawText(x0 + kRaColumn, y, angleText("R.A.:", digits4, kHmsAngle, ra));
    p.drawText(x0 + kDecColumn, y, angleText("Dec.:", digits4, kDmsAngle, dec));
}

}  // namespace

std::vector<PictureLabel> PictureLine(double mjd, int nsat)
{
    std::vector<PictureLabel> line{{kTimeColumn, kWhite, PlotTimeText(mjd)}};
    if (nsat <= 0) {
        line.push_back({kNameColumn, kRed, QObject::tr("*** No Satellite ***")});
        return line;
    }
    const int prime = std::clamp(indata->prime, 0, nsat - 1);
    const StateFault fault = SlotFault(indata, satps, prime);
    if (fault != StateFault::kNone) {
        line.push_back({kRaColumn, kRed, QString::fromLatin1(FaultText(fault))});
    } else if (MirrorAnglesShown()) {
        line.push_back({kRaColumn, kWhite, MirrorYawText()});
        line.push_back({kPitchColumn, kWhite, MirrorPitchText()});
    } else {
        line.push_back({kRaColumn, kWhite, angleText("R.A.:", indata->digits4, kHmsAngle, satps->ra[prime])});
        line.push_back({kDecColumn, kWhite, angleText("Dec.:", indata->digits4, kDmsAngle, satps->dec[prime])});
    }
    line.push_back({kNameColumn, SatColour(prime, indata->mapbg), SlotLabel(prime)});
    return line;
}

QPoint OrbikaView::visibleCorner() const { return {std::max(0, -x()), std::max(0, -y())}; }

QFont OrbikaView::pictureFont() const
{
    return QFont(QStringLiteral("Helvetica"), std::max(kMinPoints, indata->txtfontsz),
                 indata->txtbold ? QFont::Bold : QFont::Normal);
}

void OrbikaView::astroEvent(int x, int y, bool)
{
    indata->relmode = 0;
    indata->picstep = std::max(indata->picstep, 1);
    const int i = indata->picstep - 1;
    if (i < kPicStars) {
        ObAstDialog dialog(this);
        dialog.setParams(DegFDms(indata->picra[i] / kHourToRad),
                         DegFDms(indata->picdec[i] * kRadToDeg));
        const bool accepted = dialog.exec() == QDialog::Accepted;
        double ra, dec;
        bool aborted;
        dialog.getParams(ra, dec, aborted);
        if (accepted) {
            picSetStar(indata, x, y, ra, dec);
        } else if (aborted) {
            inform(this, tr("Astrometry aborted."), tr("PicAst:"));
            picAbort(indata);
        }
    } else {
        double ra, dec;
        picTrailPoint(indata, x, y, ra, dec);
        pmPicShown = pmPicture;
        QPainter p(&pmPicShown);
        p.setFont(pictureFont());
        p.setPen(kYellow);
        const QPoint c = visibleCorner();
        drawRaDec(p, c.x(), c.y() + p.fontMetrics().ascent() + kTopGap, kPointDigits, ra, dec);
    }
    setCursor(Qt::CrossCursor);
    update();
}

void OrbikaView::PicPlot(double mjd)
{
    indata->mjd = mjd;
    const int nsat = std::clamp(indata->nsat, 0, kMaxSat);
    for (int i = 0; i < nsat; ++i)
        GetSatPos(mjd, indata, satps, i, 0);
    pmPicShown = pmPicture;
    QPainter p(&pmPicShown);
    p.setFont(pictureFont());
    const QPoint c = visibleCorner();
    const int top = c.y() + p.fontMetrics().ascent() + kTopGap;
    for (const PictureLabel& label : PictureLine(mjd, nsat)) {
        p.setPen(label.colour);
        p.drawText(c.x() + label.column, top, label.text);
    }
    // Markers only on a calibrated picture.
    for (int i = 0; indata->picstep > kPicStars && i < nsat; ++i) {
        int x, y;
        if (SlotFault(indata, satps, i) != StateFault::kNone || !platePixel(indata, DmsDegF(satps->ra[i]) * kHourToRad,
                        DmsDegF(satps->dec[i]) * kDegToRad, x, y))
            continue;
        p.setPen(SatColour(i, indata->mapbg));
        p.drawRect(x - 2, y - 2, 3, 3);
        p.drawPoint(x, y);
        if (indata->shownames)
            p.drawText(x + 4, y, SlotLabel(i));
    }
    p.end();
    update();
}
