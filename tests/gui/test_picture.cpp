// Picture astrometry on a synthetic photograph of Orion: sizes, star dialog, trail, labels, files.

#include <QPainter>

#include <map>

#include "core/astrometry.h"
#include "foundation/textconv.h"
#include "gui_helpers.h"
#include "pictureview.h"

namespace {

using angle_units::kDegToRad;
using angle_units::kPi;

// Bright stars of Orion: R.A. (h.mmss), Dec. (d.mmss), J2000 from the Yale Bright Star Catalogue.
struct Star {
    double ra, dec;
};
constexpr Star kBetelgeuse{5.5510, 7.2425};
constexpr Star kRigel{5.1432, -8.1206};
constexpr Star kMintaka{5.3200, -0.1757};
constexpr Star kAlnilam{5.3613, -1.1207};

// The photograph: 1000 x 800 pixels, north up, 0.03 degrees per pixel, centred on Alnilam, with
// a satellite trail from kTrailStart to kTrailEnd.
constexpr int kWidth = 1000, kHeight = 800;
constexpr double kScale = 0.03 * kDegToRad;
constexpr QPoint kTrailStart(150, 560), kTrailEnd(880, 90);
constexpr QRgb kYellow = qRgb(255, 255, 0);

// Pixel of star s on the photograph (exact, not rounded).
QPointF starPixel(const Star& s)
{
    double xi, eta;
    equplt(DmsDegF(kAlnilam.ra) * kPi / 12, DmsDegF(kAlnilam.dec) * kDegToRad,
           DmsDegF(s.ra) * kPi / 12, DmsDegF(s.dec) * kDegToRad, xi, eta);
    return {kWidth / 2 + xi / kScale, kHeight / 2 - eta / kScale};
}

// A dark sky with the four stars as white discs and the satellite trail.
QImage skyPhoto()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(QColor(8, 10, 24));
    QPainter p(&image);
    p.setBrush(Qt::white);
    for (const Star& s : {kBetelgeuse, kRigel, kMintaka, kAlnilam}) p.drawEllipse(starPixel(s), 5, 5);
    p.setPen(QPen(QColor(200, 200, 170), 1.5));
    p.drawLine(kTrailStart, kTrailEnd);
    return image;
}

// Answers the next star dialog with s and button; the R.A. it showed goes to shownRa.
void answerStar(const char* button, const Star& s = {}, QString* shownRa = nullptr)
{
    whenModal<ObAstDialog>([=](ObAstDialog* w) {
        auto* ra = w->findChild<QLineEdit*>("raEdit");
        if (shownRa) *shownRa = ra->text();
        ra->setText(QString::number(s.ra, 'f', 4));
        w->findChild<QLineEdit*>("decEdit")->setText(QString::number(s.dec, 'f', 4));
        w->findChild<QPushButton*>(button)->click();
    });
}

// Clicks star s on the shown picture; with ok, enters its coordinates with OK.
void clickStar(OrbikaView* view, const Star& s, bool ok = false)
{
    if (ok) answerStar("okButton", s);
    const QPoint p = starPixel(s).toPoint();
    view->astroEvent(p.x(), p.y(), true);
}

// Pixels of colour c in the top 40 rows of the widget's rendering, where the labels go.
int topPixels(QWidget* w, QRgb c)
{
    const QImage shot = w->grab().toImage();
    int n = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < shot.width(); ++x) n += shot.pixel(x, y) == c;
    return n;
}

// The synthetic photograph shown in the main window, the calibration not begun.
class PictureTest : public WindowTest {
protected:
    void SetUp() override
    {
        indata->picstep = indata->picdsp = 0;
        view->vPicture(skyPhoto());
    }
    OrbikaView* view = w.getView();
};

}  // namespace

TEST_F(PictureTest, AbortAndDisplaySizesRestartTheCalibration)
{
    clickStar(view, kBetelgeuse, true);
    clickStar(view, kRigel, true);
    answerStar("abortButton");
    EXPECT_EQ((Message{"PicAst:", "Astrometry aborted."}), messageOf([&] { view->astroEvent(100, 100, true); }));
    EXPECT_EQ(1, indata->picstep);
    EXPECT_EQ(0.0, indata->picra[0] + indata->picdec[0] + indata->picra[1]);
    QString shownRa = "unset";
    answerStar("cancelButton", {}, &shownRa);
    view->astroEvent(100, 100, true);
    EXPECT_TRUE(shownRa.isEmpty()) << "the next click asks for star 1 again";
    EXPECT_EQ(QSize(kWidth, kHeight), view->size());
    clickStar(view, kBetelgeuse, true);
    EXPECT_EQ(2, indata->picstep);
    view->vImage(2);
    EXPECT_EQ(QSize(kWidth / 2, kHeight / 2), view->size());
    EXPECT_EQ(1, indata->picstep);
    view->vImage(3);
    EXPECT_EQ(QSize(kWidth / 4, kHeight / 4), view->size());
    // A refresh or a step from the text page keeps the picture's size and scale, larger or smaller than the map.
    for (int size : {0, 2}) {
        view->vImage(size);
        const QSize shown = view->size();
        const auto corner = [&] { return view->grab().toImage().pixel(shown.width() - 1, shown.height() - 1); };
        const QRgb before = corner();
        view->showLastText();
        view->vForward();
        EXPECT_EQ(shown, view->size()) << size;
        view->showLastText();
        view->vRefreshP();
        EXPECT_EQ(shown, view->size()) << size;
        EXPECT_EQ(before, corner());
    }
}

TEST_F(PictureTest, CalibrateThenMeasureStarsAndTrail)
{
    // Cancel on the first star changes nothing; Alnilam first, so the plate shares the photograph's tangent point.
    answerStar("cancelButton", kBetelgeuse);
    view->astroEvent(10, 10, true);
    EXPECT_EQ(1, indata->picstep);
    EXPECT_EQ(0.0, indata->picra[0]);
    for (const Star& s : {kAlnilam, kBetelgeuse, kRigel}) clickStar(view, s, true);
    ASSERT_EQ(4, indata->picstep);
    EXPECT_EQ(0, topPixels(view, kYellow));
    clickStar(view, kAlnilam);
    EXPECT_NEAR(kAlnilam.ra, indata->picra[3], 1e-9);
    EXPECT_NEAR(kAlnilam.dec, indata->picdec[3], 1e-9);
    EXPECT_GT(topPixels(view, kYellow), 20) << "labels in yellow";
    clickStar(view, kMintaka);
    EXPECT_NEAR(DmsDegF(kMintaka.ra) * 15, DmsDegF(indata->picra[4]) * 15, 0.03);
    EXPECT_NEAR(DmsDegF(kMintaka.dec), DmsDegF(indata->picdec[4]), 0.03);
    const auto trail = [](int k) { return kTrailStart + (kTrailEnd - kTrailStart) * k / 8; };
    for (int k = 0; k <= 8; ++k) view->astroEvent(trail(k).x(), trail(k).y(), false);
    EXPECT_EQ(6, indata->picstep);
    double ra[2], dec[2];
    ASSERT_TRUE(vsGetPict(ra[0], dec[0], ra[1], dec[1]));
    for (int k : {0, 1}) {
        QPoint at;
        ASSERT_TRUE(platePixel(indata, DmsDegF(ra[k]) * kPi / 12, DmsDegF(dec[k]) * kDegToRad, at.rx(), at.ry()));
        EXPECT_LE((at - trail(7 + k)).manhattanLength(), 2) << "the last two trail points stay, older first " << k;
    }
    indata->nsat = 0;
    view->PicPlot(indata->mjd);
    EXPECT_EQ(0, topPixels(view, kYellow));
    EXPECT_GT(topPixels(view, qRgb(255, 0, 0)), 20) << "a plot step: the no-satellite notice in red";
}

TEST_F(PictureTest, FlaresWithoutAKnownSurfaceShowTheMirrorYawAndPitch)
{
    selectByGlue("ISS");
    std::tie(indata->occmode, indata->flares) = std::make_tuple(0, 1);
    // Texts of the picture's top line by column after a plot step: yaw and pitch without a known surface.
    const auto labels = [this] {
        view->PicPlot(indata->mjd);
        std::map<int, QString> m;
        for (const PictureLabel& l : PictureLine(indata, satps, indata->mjd, indata->nsat))
            m[l.column] = l.text;
        return m;
    };
    indata->knownsurf = -1;
    auto shown = labels();
    EXPECT_EQ(QString::asprintf("Y:%7.1f", indata->flryaw), shown[180]);
    EXPECT_EQ(QString::asprintf("P:%7.1f", indata->flrpitch), shown[290]);
    EXPECT_EQ(0u, shown.count(320));
    indata->knownsurf = 1;
    shown = labels();
    EXPECT_TRUE(shown[180].startsWith("R.A.:"));
    EXPECT_TRUE(shown[320].startsWith("Dec.:"));
    EXPECT_EQ(0u, shown.count(290));
    indata->elecc[indata->prime] = 1.5;
    indata->sgpslot = kNoSgpSlot;
    shown = labels();
    EXPECT_EQ("invalid elements", shown[180].toStdString());
    EXPECT_EQ(0u, shown.count(320));
}

TEST_F(WindowTest, CorruptPicturesGiveTheMessage)
{
    ASSERT_TRUE(skyPhoto().save(dir.file("whole.png")));
    const QByteArray png = readFile(dir.file("whole.png"));
    for (const auto& [file, bytes] : {std::pair{"truncated.png", png.left(png.size() / 3)},
                                      {"notes.jpg", QByteArray("not a picture\n")}, {"empty.bmp", QByteArray()}}) {
        const QString name = dir.file(file);
        writeFile(name, bytes);
        QString message;
        chooseFile(name, message);
        w.slotFilePicture();
        EXPECT_EQ(QString("Cannot load %1.").arg(name), message);
        EXPECT_FALSE(w.action(OrbikaApp::ViewPicture)->isEnabled());
        EXPECT_FALSE(indata->picshow);
    }
}
