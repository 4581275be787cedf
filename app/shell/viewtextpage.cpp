// Drawing the output buffer as a text page: lines spaced by the font's ascent, tagged lines at a
// fixed pitch, tabs aligned to that pitch, and the positions of the pass lines for clicks.
#include <algorithm>
#include <cstring>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "orbikaview.h"

namespace {

// Left margin of the text, pixels.
constexpr int kMargin = 10;
// Distance of a recorded line top above the line's ascent, pixels.
constexpr int kTopGap = 2;

// Length of a page line: up to its terminator, at most the text bytes.
int lineLength(const char* line)
{
    return static_cast<int>(strnlen(line, kTagByte));
}

}  // namespace

void OrbikaView::drawPage(bool fixedTagged, bool passList)
{
    const QFont font(QStringLiteral("helvetica"), fsz);
    const QFontMetrics fm(font);
    const int ascent = fm.ascent();
    const int pitch = fm.horizontalAdvance(QLatin1Char('M'));

    pmText.fill(Qt::white);
    QPainter p(&pmText);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0));
    nepos = 0;
    int y = 0;
    for (int l = 0; l < std::min(outdata->nlines, kPageLines); ++l) {
        const char* line = outdata->lines[l];
        y += ascent;
        if (passList && line[0] != ' ' && line[0] != '\0' && nepos < kMaxPasses)
            epos[nepos++] = y - ascent - kTopGap;
        const bool tagged = line[kTagByte] == kLineTag;
        // First character drawn at the fixed pitch.
        const int fixedFrom = !fixedTagged || !tagged ? kLineBytes : (passList ? 1 : 0);
        int x = kMargin;
        for (int i = 0; i < lineLength(line); ++i) {
            const QChar c = QChar::fromLatin1(line[i]);
            if (i >= fixedFrom)
                x = kMargin + i * pitch;
            if (c == QLatin1Char('\t')) {
                x = kMargin + i * pitch;
                continue;
            }
            p.drawText(x, y, QString(c));
            x += fm.horizontalAdvance(c);
        }
    }
    pageAscent = ascent;
}

void OrbikaView::showtxt(bool fixedTagged)
{
    dsplmd = 1;
    indata->pagemode = 0;
    setCursor(Qt::ArrowCursor);
    drawPage(fixedTagged, false);
    showPage();
}

void OrbikaView::showSattxt()
{
    dsplmd = 2;
    indata->pagemode = -1;
    setCursor(Qt::ArrowCursor);
    drawPage(true, true);
    showPage();
}

int OrbikaView::passAt(int y) const
{
    const int lines = std::min(nepos, indata->npass);
    for (int k = lines - 1; k >= 0; --k) {
        if (y >= epos[k])
            return y < epos[k] + pageAscent ? k : -1;
    }
    return -1;
}
