// The picture view: the picture at its display size, the trail points' coordinates and the
// plot step's line and markers written on it.
#include "pictureview.h"

#include <algorithm>

#include <QFontMetrics>
#include <QImage>
#include <QObject>
#include <QPainter>

#include "core/astrometry.h"
#include "core/statefault.h"
#include "foundation/textconv.h"
#include "foundation/units.h"
#include "mapinfo.h"
#include "worldmap.h"

namespace {

using angle_units::kDegToRad;
using angle_units::kHourToRad;

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
// Smallest font size accepted for the picture text, points.
constexpr int kMinPoints = 1;
// Display sizes (picdsp) of the size commands.
constexpr int kHalf = 2;
constexpr int kQuarter = 3;

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

// The font of the lines written on the picture.
QFont pictureFont(const WinpData* in)
{
    return QFont(QStringLiteral("Helvetica"), std::max(kMinPoints, in->txtfontsz),
                 in->txtbold ? QFont::Bold : QFont::Normal);
}

// Baseline of the line at the visible top of the picture for the painter's font.
int topLine(const QPainter& p, const QPoint& corner) { return corner.y() + p.fontMetrics().ascent() + kTopGap; }

}  // namespace

std::vector<PictureLabel> PictureLine(const WinpData* in, const SatPosData* sp, double mjd, int nsat)
{
    std::vector<PictureLabel> line{{kTimeColumn, kWhite, PlotTimeText(in, mjd)}};
    if (nsat <= 0) {
        line.push_back({kNameColumn, kRed, QObject::tr("*** No Satellite ***")});
        return line;
    }
    const int prime = std::clamp(in->prime, 0, nsat - 1);
    const StateFault fault = SlotFault(in, sp, prime);
    if (fault != StateFault::kNone) {
        line.push_back({kRaColumn, kRed, QString::fromLatin1(FaultText(fault))});
    } else if (MirrorAnglesShown(in)) {
        line.push_back({kRaColumn, kWhite, MirrorYawText(in)});
        line.push_back({kPitchColumn, kWhite, MirrorPitchText(in)});
    } else {
        line.push_back({kRaColumn, kWhite, angleText("R.A.:", in->digits4, kHmsAngle, sp->ra[prime])});
        line.push_back({kDecColumn, kWhite, angleText("Dec.:", in->digits4, kDmsAngle, sp->dec[prime])});
    }
    line.push_back({kNameColumn, SatColour(prime, in->mapbg), SlotLabel(in, prime)});
    return line;
}

void PictureView::load(const QImage& image) { pmSource = QPixmap::fromImage(image); }

void PictureView::setSize(int size)
{
    const int divisor = size == kQuarter ? 4 : size == kHalf ? 2 : 1;
    const QSize shown(pmSource.width() / divisor, pmSource.height() / divisor);
    pmPicture = divisor == 1 ? pmSource
                             : pmSource.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    pmShown = pmPicture;
}

void PictureView::drawTrailPoint(const WinpData* in, const QPoint& corner, double ra, double dec)
{
    pmShown = pmPicture;
    QPainter p(&pmShown);
    p.setFont(pictureFont(in));
    p.setPen(kYellow);
    drawRaDec(p, corner.x(), topLine(p, corner), kPointDigits, ra, dec);
}

void PictureView::drawPlot(const WinpData* in, const SatPosData* sp, double mjd, int nsat, const QPoint& corner)
{
    pmShown = pmPicture;
    QPainter p(&pmShown);
    p.setFont(pictureFont(in));
    const int top = topLine(p, corner);
    for (const PictureLabel& label : PictureLine(in, sp, mjd, nsat)) {
        p.setPen(label.colour);
        p.drawText(corner.x() + label.column, top, label.text);
    }
    // Markers only on a calibrated picture.
    for (int i = 0; in->picstep > kPicStars && i < nsat; ++i) {
        int x, y;
        if (SlotFault(in, sp, i) != StateFault::kNone ||
            !platePixel(in, DmsDegF(sp->ra[i]) * kHourToRad, DmsDegF(sp->dec[i]) * kDegToRad, x, y))
            continue;
        p.setPen(SatColour(i, in->mapbg));
        p.drawRect(x - 2, y - 2, 3, 3);
        p.drawPoint(x, y);
        if (in->shownames)
            p.drawText(x + 4, y, SlotLabel(in, i));
    }
}
