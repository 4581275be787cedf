// A loaded picture shown in place of the map at full, half or quarter size; each new picture
// or display size restarts the star calibration.
#include <QImage>

#include "orbikaview.h"

namespace {

// Display sizes (picdsp) of the size commands and the first click of the calibration.
constexpr int kHalf = 2;
constexpr int kQuarter = 3;
constexpr int kFirstStar = 1;

}  // namespace

void OrbikaView::vPicture(const QImage& image)
{
    if (indata->picstep == 0) {
        for (int i = 0; i < kPicPoints; ++i)
            indata->picra[i] = indata->picdec[i] = 0.0;
    }
    pmSource = QPixmap::fromImage(image);
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
    const int divisor = size == kQuarter ? 4 : size == kHalf ? 2 : 1;
    const QSize shown(pmSource.width() / divisor, pmSource.height() / divisor);
    pmPicture = divisor == 1 ? pmSource
                             : pmSource.scaled(shown, Qt::KeepAspectRatio,
                                               Qt::SmoothTransformation);
    pmPicShown = pmPicture;
    resize(pmPicShown.size());
    update();
}
