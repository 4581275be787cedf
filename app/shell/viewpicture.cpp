// A loaded picture shown in place of the map at full, half or quarter size, and its astrometry:
// the click sequence (three reference stars through the star dialog, then trail points) and the
// selected satellites plotted on the calibrated picture. Each new picture or display size
// restarts the star calibration.
#include <algorithm>

#include <QImage>

#include "app/glue/messages.h"
#include "core/astrometry.h"
#include "core/satstate.h"
#include "foundation/textconv.h"
#include "foundation/units.h"
#include "mapinfo.h"
#include "obastdialog.h"
#include "orbikaview.h"

namespace {

using angle_units::kHourToRad;
using angle_units::kRadToDeg;
// The first click of the calibration.
constexpr int kFirstStar = 1;

}  // namespace

void OrbikaView::vPicture(const QImage& image)
{
    if (indata->picstep == 0) {
        for (int i = 0; i < kPicPoints; ++i)
            indata->picra[i] = indata->picdec[i] = 0.0;
    }
    picture.load(image);
    vImage(indata->picdsp);
}

void OrbikaView::vPicSwitch(bool on)
{
    indata->picshow = on;
    indata->pagemode = 0;
    vText();
}

void OrbikaView::vImage(int size)
{
    indata->picshow = true;
    indata->picstep = kFirstStar;
    indata->picdsp = size;
    indata->pagemode = 1;
    setCursor(Qt::CrossCursor);
    picture.setSize(size);
    resize(picture.shown().size());
    update();
}

QPoint OrbikaView::visibleCorner() const { return {std::max(0, -x()), std::max(0, -y())}; }

void OrbikaView::astroEvent(int x, int y, bool)
{
    indata->relmode = 0;
    indata->picstep = std::max(indata->picstep, 1);
    const int i = indata->picstep - 1;
    if (i < kPicStars) {
        ObAstDialog dialog(this);
        dialog.setParams(DegFDms(indata->picra[i] / kHourToRad), DegFDms(indata->picdec[i] * kRadToDeg));
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
        picture.drawTrailPoint(indata, visibleCorner(), ra, dec);
    }
    setCursor(Qt::CrossCursor);
    update();
}

void OrbikaView::PicPlot(double mjd)
{
    indata->mjd = mjd;
    indata->dspyear = PlotYear(indata, mjd);
    const int nsat = std::clamp(indata->nsat, 0, kMaxSat);
    for (int i = 0; i < nsat; ++i)
        GetSatPos(mjd, indata, satps, i, 0);
    picture.drawPlot(indata, satps, mjd, nsat, visibleCorner());
    update();
}
