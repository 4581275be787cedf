// Picture astrometry on the view: display sizes, the star dialog, the click sequence with OK,
// Cancel and Abort, trail points measured on a synthetic photograph of Orion, satellites plotted
// on it, and pictures that cannot be loaded.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QPainter>

#include <map>

#include "core/astrometry.h"
#include "foundation/textconv.h"
#include "foundation/units.h"
#include "gui_helpers.h"
#include "obastdialog.h"
#include "orbikaapp.h"
#include "orbikaview.h"
#include "pictureview.h"

namespace {

using angle_units::kDegToRad;
using angle_units::kPi;

// A bright star of Orion: R.A. (h.mmss), Dec. (d.mmss) (J2000, Yale Bright Star Catalogue,
// rounded to the second).
struct Star {
    double ra, dec;
};
constexpr Star kBetelgeuse{5.5510, 7.2425};
constexpr Star kRigel{5.1432, -8.1206};
constexpr Star kMintaka{5.3200, -0.1757};
constexpr Star kAlnilam{5.3613, -1.1207};

// The photograph: 1000 x 800 pixels, north up and east left, 0.03 degrees per pixel, centred
// on Alnilam.
constexpr int kWidth = 1000;
constexpr int kHeight = 800;
constexpr double kScale = 0.03 * kDegToRad;
// Ends of the satellite trail drawn across it.
constexpr QPoint kTrailStart(150, 560);
constexpr QPoint kTrailEnd(880, 90);

// Pixel of star s on the photograph (exact, not rounded).
QPointF starPixel(const Star& s)
{
    double xi, eta;
    equplt(DmsDegF(kAlnilam.ra) * kPi / 12, DmsDegF(kAlnilam.dec) * kDegToRad,
           DmsDegF(s.ra) * kPi / 12, DmsDegF(s.dec) * kDegToRad, xi, eta);
    return {kWidth / 2 + xi / kScale, kHeight / 2 - eta / kScale};
}

QPoint starPoint(const Star& s) { return starPixel(s).toPoint(); }

// A dark sky with the four stars as white discs and one satellite trail.
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

// Answers the next star dialog: records the R.A. it showed, types ra and dec and presses the
// button named button; the message box that follows Abort is closed and its text kept.
struct StarAnswer {
    QString shownRa, message;
};
QTimer* answerStar(StarAnswer& a, const char* button, double ra = 0, double dec = 0)
{
    return whenModal<ObAstDialog>([&a, button, ra, dec](ObAstDialog* w) {
        a.shownRa = w->findChild<QLineEdit*>("raEdit")->text();
        w->findChild<QLineEdit*>("raEdit")->setText(QString::number(ra, 'f', 4));
        w->findChild<QLineEdit*>("decEdit")->setText(QString::number(dec, 'f', 4));
        if (QString(button) == "abortButton") {
            whenMessage([&a](QMessageBox* box) { a.message = box->windowTitle() + "|" + box->text(); });
        }
        w->findChild<QPushButton*>(button)->click();
    });
}

// Clicks star s on the shown picture and enters its coordinates with OK.
void calibrateWith(OrbikaView* view, const Star& s)
{
    StarAnswer a;
    answerStar(a, "okButton", s.ra, s.dec);
    view->astroEvent(starPoint(s).x(), starPoint(s).y(), true);
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
constexpr QRgb kYellow = qRgb(255, 255, 0);

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view = app.getView();
        indata->picstep = 0;
        indata->picdsp = 0;
        view->vPicture(skyPhoto());
    }
    ProgramDir dir;
    OrbikaApp app;
    OrbikaView* view = nullptr;
};

}  // namespace

TEST_F(PictureTest, DisplaySizesRestartTheCalibration)
{
    EXPECT_EQ(QSize(kWidth, kHeight), view->size());
    calibrateWith(view, kBetelgeuse);
    EXPECT_EQ(2, indata->picstep);
    view->vImage(2);
    EXPECT_EQ(QSize(kWidth / 2, kHeight / 2), view->size());
    EXPECT_EQ(1, indata->picstep);
    view->vImage(3);
    EXPECT_EQ(QSize(kWidth / 4, kHeight / 4), view->size());

    // A refresh or a step from the text page keeps the picture at its size and scale, wider
    // and taller than the map or smaller than it.
    for (int size : {0, 2}) {
        view->vImage(size);
        const QSize shown = view->size();
        const QRgb corner = view->grab().toImage().pixel(shown.width() - 1, shown.height() - 1);
        view->showLastText();
        view->vForward();
        EXPECT_EQ(shown, view->size()) << size;
        view->showLastText();
        view->vRefreshP();
        EXPECT_EQ(shown, view->size()) << size;
        EXPECT_EQ(corner, view->grab().toImage().pixel(shown.width() - 1, shown.height() - 1));
    }
}

TEST_F(PictureTest, CalibrateThenMeasureStarsAndTrail)
{
    StarAnswer a;
    // Cancel on the first star changes nothing.
    answerStar(a, "cancelButton", kBetelgeuse.ra, kBetelgeuse.dec);
    view->astroEvent(10, 10, true);
    EXPECT_EQ(1, indata->picstep);
    EXPECT_EQ(0.0, indata->picra[0]);
    // Alnilam near the centre first: the plate model then shares the photograph's tangent
    // point, and the whole field measures to the pixel.
    for (const Star& s : {kAlnilam, kBetelgeuse, kRigel})
        calibrateWith(view, s);
    ASSERT_EQ(4, indata->picstep);
    EXPECT_EQ(0, topPixels(view, kYellow));

    // Star 0 clicked again returns its coordinates; Mintaka, not a reference star, comes out
    // within a pixel (0.03 degrees), and the labels appear in yellow at the top.
    view->astroEvent(starPoint(kAlnilam).x(), starPoint(kAlnilam).y(), true);
    EXPECT_NEAR(kAlnilam.ra, indata->picra[3], 1e-9);
    EXPECT_NEAR(kAlnilam.dec, indata->picdec[3], 1e-9);
    EXPECT_GT(topPixels(view, kYellow), 20);
    view->astroEvent(starPoint(kMintaka).x(), starPoint(kMintaka).y(), true);
    EXPECT_NEAR(DmsDegF(kMintaka.ra) * 15, DmsDegF(indata->picra[4]) * 15, 0.03);
    EXPECT_NEAR(DmsDegF(kMintaka.dec), DmsDegF(indata->picdec[4]), 0.03);

    // Points along the trail: the last two stay, older first, the earlier ones are gone.
    const auto trail = [](int k) { return kTrailStart + (kTrailEnd - kTrailStart) * k / 8; };
    for (int k = 0; k <= 8; ++k)
        view->astroEvent(trail(k).x(), trail(k).y(), false);
    EXPECT_EQ(6, indata->picstep);
    double ra[2], dec[2];
    ASSERT_TRUE(vsGetPict(ra[0], dec[0], ra[1], dec[1]));
    for (int k : {0, 1}) {
        QPoint at;
        ASSERT_TRUE(platePixel(indata, DmsDegF(ra[k]) * kPi / 12, DmsDegF(dec[k]) * kDegToRad, at.rx(), at.ry()));
        EXPECT_LE((at - trail(7 + k)).manhattanLength(), 2) << k;
    }

    // A plot step starts again from the bare picture: the yellow labels go, and with no
    // satellite selected the notice is written in red at the top.
    indata->nsat = 0;
    view->PicPlot(indata->mjd);
    EXPECT_EQ(0, topPixels(view, kYellow));
    EXPECT_GT(topPixels(view, qRgb(255, 0, 0)), 20);
}

TEST_F(PictureTest, FlaresWithoutAKnownSurfaceShowTheMirrorYawAndPitch)
{
    selectByGlue("ISS");
    indata->occmode = 0;
    indata->flares = 1;
    // Columns from the visible left edge and texts of the picture's top line.
    const auto labels = [] {
        std::map<int, QString> m;
        for (const PictureLabel& l : PictureLine(indata, satps, indata->mjd, indata->nsat))
            m[l.column] = l.text;
        return m;
    };
    indata->knownsurf = -1;
    view->PicPlot(indata->mjd);
    auto shown = labels();
    EXPECT_EQ(QString::asprintf("Y:%7.1f", indata->flryaw), shown[180]);
    EXPECT_EQ(QString::asprintf("P:%7.1f", indata->flrpitch), shown[290]);
    EXPECT_EQ(0u, shown.count(320));

    // A known surface leaves the satellite's R.A. and Dec.
    indata->knownsurf = 1;
    view->PicPlot(indata->mjd);
    shown = labels();
    EXPECT_TRUE(shown[180].startsWith("R.A.:"));
    EXPECT_TRUE(shown[320].startsWith("Dec.:"));
    EXPECT_EQ(0u, shown.count(290));

    // Elements no orbit can have give the word in place of a sky position.
    indata->elecc[indata->prime] = 1.5;
    indata->sgpslot = kNoSgpSlot;
    view->PicPlot(indata->mjd);
    shown = labels();
    EXPECT_EQ("invalid elements", shown[180].toStdString());
    EXPECT_EQ(0u, shown.count(320));
}

TEST_F(PictureTest, AbortClearsTheStars)
{
    calibrateWith(view, kBetelgeuse);
    calibrateWith(view, kRigel);
    StarAnswer a;
    answerStar(a, "abortButton");
    view->astroEvent(100, 100, true);
    EXPECT_EQ("PicAst:|Astrometry aborted.", a.message);
    EXPECT_EQ(1, indata->picstep);
    EXPECT_EQ(0.0, indata->picra[0] + indata->picdec[0] + indata->picra[1]);
    // The next click asks for star 1 again, with empty fields.
    answerStar(a, "cancelButton");
    view->astroEvent(100, 100, true);
    EXPECT_TRUE(a.shownRa.isEmpty());
    EXPECT_EQ(1, indata->picstep);
}

TEST(PictureFile, CorruptImagesGiveTheMessage)
{
    const ProgramDir dir;
    OrbikaApp w;
    QByteArray png;
    {
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        skyPhoto().save(&buf, "PNG");
    }
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
