// A loaded picture shown in place of the map at full, half or quarter size.
#include <QImage>

#include "orbikaview.h"

namespace {

// Picture scales of the size commands.
constexpr int kHalf = 2;
constexpr int kQuarter = 3;

}  // namespace

void OrbikaView::vPicture(const QImage& image)
{
    pmPicture = QPixmap::fromImage(image);
    vImage(picScale);
}

void OrbikaView::vPicSwitch(bool on)
{
    indata->picshow = on;
    if (on) {
        indata->pagemode = 0;
        vText();
    } else {
        showLastText();
    }
}

void OrbikaView::vImage(int size)
{
    picScale = size;
    const int divisor = size == kQuarter ? 4 : size == kHalf ? 2 : 1;
    pmPicShown = divisor == 1 ? pmPicture
                              : pmPicture.scaled(pmPicture.size() / divisor, Qt::KeepAspectRatio,
                                                 Qt::SmoothTransformation);
    if (indata->picshow && indata->pagemode == 1) {
        resize(pmPicShown.size());
        update();
    }
}
