// Flares, transits and occultations in the view: flare page, event distance, Sun/Moon disc view.

#include <QPainter>

#include "canvaslayout.h"
#include "core/iridium.h"
#include "gui_helpers.h"
#include "sunmoondisc.h"

namespace {

using angle_units::kPi;

// The lines of the output buffer.
std::vector<std::string> pageLines()
{
    std::vector<std::string> lines;
    for (int i = 0; i < outdata->nlines; ++i)
        lines.emplace_back(outdata->lines[i], strnlen(outdata->lines[i], kLineBytes - 1));
    return lines;
}

// True when a line of the output buffer contains text.
bool pageHas(const std::string& text)
{
    for (const auto& l : pageLines())
        if (l.find(text) != std::string::npos) return true;
    return false;
}

// Magnitudes of the page's flare lines (direction of travel, then "mag" and the value).
std::vector<double> flareMagnitudes()
{
    std::vector<double> mags;
    for (const auto& l : pageLines()) {
        const size_t dir = l.find("->");
        const size_t at = l.find(" mag ");
        if (dir != std::string::npos && at != std::string::npos && at > dir)
            mags.push_back(std::atof(l.c_str() + at + 5));
    }
    return mags;
}

// Answers the next Iridium dialog with the minimum magnitude mag and OK.
void answerIridium(const QString& mag)
{
    whenModal<ObIridiumDialog>([mag](ObIridiumDialog* d) {
        child<QLineEdit>(*d, "magEdit")->setText(mag);
        child<QCheckBox>(*d, "opsBox")->setChecked(true);
        child<QCheckBox>(*d, "solpBox")->setChecked(false);
        d->accept();
    });
}

class EventsTest : public MapTest {
protected:
    // Two days from the bundled Iridium elements' epoch (21 June 2014), the file beside the TLE file.
    void flareDate(bool withElements)
    {
        if (withElements) copyIridium();
        setField(indata->tlefile, dir.file("visual.txt"));
        std::tie(indata->year, indata->month, indata->day) = std::make_tuple(2014, 6, 21);
        indata->duration = 2;
        setNewMjd(indata);
    }
    void copyIridium() { ASSERT_TRUE(QFile::copy(ORBIKA_DATA_DIR "/tle/IRIDIUM.TXT", dir.file("IRIDIUM.TXT"))); }
};

}  // namespace

TEST_F(EventsTest, FlarePageOfTheBundledIridiumFile)
{
    // Without the Iridium file, or with a refused magnitude, the page has its titles only.
    flareDate(false);
    answerIridium("1");
    EXPECT_EQ("*** Problems with the input file", messageOf([&] { view.vIridium(); }).text);
    EXPECT_TRUE(pageHas(" *** Iridium Flares *** "));
    EXPECT_TRUE(flareMagnitudes().empty());
    copyIridium();
    answerIridium("29.5");
    EXPECT_TRUE(messageOf([&] { view.vIridium(); }).text.contains("29"));
    EXPECT_TRUE(flareMagnitudes().empty());
    EXPECT_EQ(0, indata->nsat);
    EXPECT_EQ(29.5, indata->irminmag) << "the accepted value is kept for the next try";
    std::tie(indata->flryaw, indata->occmode, indata->irminmag) = std::make_tuple(12, 2, 0.5);
    const auto before = std::make_unique<WinpData>(*indata);
    outdata->nlines = 0;
    cancelling<ObIridiumDialog>([&] { view.vIridium(); });
    std::memcpy(before->tlesave, indata->tlesave, sizeof before->tlesave);
    EXPECT_EQ(0, std::memcmp(before.get(), indata, sizeof(WinpData))) << "Cancel keeps all but the resolved save name";
    EXPECT_EQ(0, outdata->nlines);
    answerIridium("0.5");
    view.vIridium();
    EXPECT_TRUE(pageHas(" *** Iridium Flares *** "));
    const std::vector<double> mags = flareMagnitudes();
    ASSERT_FALSE(mags.empty()) << "two June nights at Munich without an Iridium flare";
    for (double m : mags) {
        EXPECT_LE(m, 0.5);
        EXPECT_GE(m, -9.5) << "brighter than any antenna flare";
    }
    EXPECT_EQ(0, indata->pagemode) << "the flare page is shown";
    ASSERT_GT(indata->nsat, 0);
    EXPECT_EQ(0, std::strncmp(indata->satname[0], "IRIDIUM", 7)) << "the flaring satellites are selected";
    EXPECT_EQ(std::make_tuple(0.5, 1, 12.0, 2),
              std::make_tuple(indata->irminmag, indata->iropsonly, indata->flryaw, indata->occmode));
    EXPECT_STREQ(before->tlefile, indata->tlefile) << "settings and files are put back";
    EXPECT_STREQ(before->savename, indata->savename);
    EXPECT_FALSE(indata->irwrote);
    EXPECT_FALSE(QFile::exists(QString::fromLatin1(kIridiumSaveFile)));
}

TEST_F(EventsTest, EventDistanceOfZeroAndTheIridiumModeOfAos)
{
    selectByGlue("ISS");
    std::tie(indata->occmode, indata->flryaw, indata->flrpitch) = std::make_tuple(3, 5.3455, 7.2427);
    whenModal<QInputDialog>([](QInputDialog* input) {
        EXPECT_EQ("Maximum Distance (km):", input->labelText());
        input->setDoubleValue(0);
        input->accept();
    });
    view.vCalcAOS();
    EXPECT_TRUE(pageHas(" *** Need distance > 0 for occultations or flares ***"));
    EXPECT_EQ(0, indata->evmaxdist);
    EXPECT_EQ(0, indata->iridmode) << "the event type is restored";
    flareDate(true);
    setField(indata->tlefile, dir.file("IRIDIUM.TXT"));
    std::tie(indata->duration, indata->occmode, indata->iridmode) = std::make_tuple(1, 0, 3);
    answerIridium("5");
    view.vCalcAOS();
    EXPECT_FALSE(flareMagnitudes().empty()) << "with Iridium flares chosen AOS searches the current file";
    EXPECT_EQ(3, indata->iridmode);
}

TEST_F(EventsTest, DiscViewReplacesTheMapInASunTransitAndLightsTheMoonOnTheSunSide)
{
    selectByGlue("ISS");
    indata->occmode = 1;
    indata->smplotflg = 1;
    view.vCurrent();
    EXPECT_EQ(1, indata->smplot);
    const QImage c = canvas();
    int ink = 0;
    for (int x = 360 + 128; x <= 360 + 140; ++x) ink += qGray(c.pixel(x, 180)) < 128;
    EXPECT_GT(ink, 0) << "the Sun's limb 0.265 degrees (134 pixels) from the centre";
    int outside = 0;
    for (int y = 0; y < kMapRows; ++y)
        for (int x = 0; x < kMapCols; ++x)
            outside += std::hypot(x - 360, y - 180) > 140 && c.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_EQ(0, outside) << "no world map around the disc";
    indata->occmode = 0;
    view.SatPlot(indata->mjd + 0.02, 1);
    EXPECT_EQ(0, indata->smplot) << "leaving the transit mode brings the world map back";
    EXPECT_EQ(QPoint(view.PxCoord(satps->lat[0], satps->lon[0])), view.lastPixel(0));
    // A waxing Moon lit from the right: its bright limb (lines) on the right, points on the left.
    std::tie(indata->occmode, indata->nsat) = std::make_tuple(kMoonTarget, 1);
    SatPosData sp{};
    std::tie(sp.moonsd, sp.moonelev, sp.moonazim) = std::make_tuple(0.25, 0.5, 3.0);
    std::tie(sp.sunelev, sp.sunazim) = std::make_tuple(0.5 * 180 / kPi, 3.0 + 1.2);
    QImage image(721, 501, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    DrawSunMoonDisc(p, indata, &sp, DiscGeometry{});
    p.end();
    int right = 0, left = 0;
    for (int y = 50; y <= 310; ++y)
        for (int x = 230; x <= 490; ++x)
            if (x != 360 && qGray(image.pixel(x, y)) < 128) (x > 360 ? right : left)++;
    EXPECT_GT(right, 4 * left) << "dark pixels near the centre (360, 180): " << right << " " << left;
    EXPECT_GT(left, 10) << "the dark limb is dotted";
}
