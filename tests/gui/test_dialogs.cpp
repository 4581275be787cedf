// Settings dialogs: dates, sites, accelerators, map and visibility controls and their commands.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include <array>

#include "gui_helpers.h"

namespace {

// Presses OK on d; returns the text of the warning that keeps it open, or "" when it closed.
QString pressOk(QDialog& d)
{
    d.setResult(QDialog::Rejected);
    const QString text = messageOf([&d] { d.accept(); }).text;
    EXPECT_EQ(text.isEmpty(), d.result() == QDialog::Accepted) << text.toStdString();
    return text;
}

// Sky projection and azimuth, map type and frequency, as the map dialog returns them.
std::tuple<int, double, int, double> mapRead(const ObMapDialog& d)
{
    int grid, background, skyproj, daynight, skymap, fourdigits, fontsize, maptype;
    double skyazim, cenlon, doppler;
    bool satview, bold;
    d.getParams(grid, background, skyproj, daynight, skymap, fourdigits, skyazim, satview);
    d.getParamF(fontsize, bold, maptype, cenlon, doppler);
    return {skyproj, skyazim, maptype, doppler};
}

// True when the child named name is shown and usable.
bool shown(const QWidget& d, const char* name)
{
    const auto* w = child<QWidget>(d, name);
    return w->isVisibleTo(&d) && w->isEnabled();
}

// Checks the button named name.
void check(const QWidget& d, const char* name) { child<QAbstractButton>(d, name)->setChecked(true); }

// Names of the option controls that are shown and usable, and the label of the yaw field.
QString optionsShown(const QWidget& d)
{
    QStringList out;
    for (const char* n : {"occGroup", "smplotBox", "knownBox", "localBox", "ystBox", "solfBox",
                          "cylBox", "flrmagBox", "flrmxEdit", "pitchEdit"})
        if (shown(d, n)) out << n;
    const auto* yaw = child<QWidget>(d, "yawEdit");
    for (const QLabel* l : d.findChildren<QLabel*>())
        if (l->buddy() == yaw && yaw->isVisibleTo(&d)) out << l->text();
    return out.join(' ');
}

}  // namespace

TEST(DateDialog, ImpossibleDatesAreRefusedWithAMessage)
{
    const std::array<std::tuple<int, int, int, int, const char*>, 5> dates = {{
        {2026, 13, 1, 12, "Month: 13 is not valid (1 to 12)."},
        {2026, 1, 40, 12, "Day: 40 is not valid (1 to 31)."},
        {2024, 2, 29, 12, ""},
        {2026, 2, 29, 12, "Day: 29 is not valid (1 to 28)."},
        {2026, 3, 1, 24, "Hours: 24 is not valid (0 to 23)."},
    }};
    for (const auto& [year, month, day, hour, message] : dates) {
        ObDateDialog d;
        d.setParams(year, month, day, hour, 0, 0, 0.0, 0, 1.0, 0.0);
        EXPECT_EQ(QString(message), pressOk(d));
    }
    ObStateDialog state;
    child<QLineEdit>(state, "yearEdit")->setText("2026");
    child<QLineEdit>(state, "dayEdit")->setText("366.5");
    EXPECT_EQ("Day of Year. Fraction of Day: 366.5 is not valid (from 1 to below 366).", pressOk(state));
    child<QLineEdit>(state, "yearEdit")->setText("2024");
    EXPECT_EQ("", pressOk(state)) << "day 366 of an epoch in leap years only";
}

TEST(ObsDialog, DecimalAndDmsFormsConvertBothWays)
{
    ObObsDialog d;
    d.setParams(10.5, 8.25, 410, "Zurich", false);
    child<QRadioButton>(d, "ddmmButton")->setChecked(true);
    EXPECT_EQ("10.3", child<QLineEdit>(d, "latEdit")->text());
    EXPECT_EQ("8.15", child<QLineEdit>(d, "lngEdit")->text());
    double la, lo, h;
    bool ddmm;
    d.getParams(la, lo, h, ddmm);
    EXPECT_NEAR(10.5, la, 1e-9) << "returned in decimal degrees whatever is shown";
    EXPECT_NEAR(8.25, lo, 1e-9);
    ObObsDialog dms;
    dms.setParams(-33.8675, 151.207, 58, "Sydney", true);
    EXPECT_EQ("-33.5203", child<QLineEdit>(dms, "latEdit")->text()) << "opened in d.mmss";
    dms.getParams(la, lo, h, ddmm);
    EXPECT_NEAR(-33.8675, la, 1.0 / 3600);
    EXPECT_NEAR(151.207, lo, 1.0 / 3600);
}

TEST(TimeAndPlaceDialogs, EveryAcceleratorLeadsToAField)
{
    const std::unique_ptr<QDialog> dialogs[] = {std::make_unique<ObDateDialog>(), std::make_unique<ObIersDialog>(),
                                                std::make_unique<ObObsDialog>(), std::make_unique<ObStepDialog>(),
                                                std::make_unique<ObSysConfDialog>()};
    for (const auto& d : dialogs)
        for (const QLabel* l : d->findChildren<QLabel*>())
            EXPECT_TRUE(!l->text().contains('&') || l->buddy()) << l->text().toStdString();
}

TEST(MapDialog, PhysicalMapNeedsTheImageAndSkyDirectionsWriteAzimuths)
{
    ObMapDialog withImage;
    withImage.setParamF(10, false, 3, 0, 0, true);
    EXPECT_TRUE(shown(withImage, "ppwmButton"));
    ObMapDialog d;
    d.setParamF(10, false, 3, 0, 145800000, false);
    int offered = 0;
    for (const auto* b : child<QGroupBox>(d, "mapGroup")->findChildren<QRadioButton*>())
        offered += b->isVisibleTo(&d);
    EXPECT_EQ(3, offered) << "without the image three projections";
    child<QLineEdit>(d, "frequEdit")->setText("x");
    d.setParams(1, 0, 2, 0, 0, 0, 37, false);
    EXPECT_FALSE(shown(d, "skyGroup"));
    check(d, "skyBox");
    EXPECT_FALSE(shown(d, "mapGroup")) << "the sky map hides the map controls";
    auto* azim = child<QLineEdit>(d, "azimEdit");
    for (const auto& [button, value] : {std::pair{"northButton", "0"}, {"westButton", "270"},
                                        {"southButton", "180"}, {"eastButton", "90"}}) {
        check(d, button);
        EXPECT_EQ(value, azim->text()) << button;
        EXPECT_FALSE(shown(d, "azimEdit")) << "only the free direction shows it " << button;
    }
    check(d, "azimButton");
    EXPECT_TRUE(shown(d, "azimEdit"));
    azim->setText("212.5");
    check(d, "zenithButton");
    EXPECT_FALSE(shown(d, "azimEdit"));
    EXPECT_EQ(std::make_tuple(0, 212.5, 0, 0.0), mapRead(d)) << "zenith, the free azimuth, outline map, frequency 0";
}

TEST(VisDialog, ModesExcludeEachOtherAndOptionsFollowTheChecks)
{
    const char* modes[] = {"flarBox", "occBox", "iridBox", "eclBox"};
    for (const char* on : modes) {
        ObVisDialog d;
        for (const char* m : modes) check(d, m);
        check(d, on);
        for (const char* m : modes) EXPECT_EQ(m == on, child<QCheckBox>(d, m)->isChecked()) << on;
    }
    ObVisDialog d;
    check(d, "radecButton");
    check(d, "flarBox");
    check(d, "cylBox");
    EXPECT_EQ("knownBox localBox solfBox cylBox pitchEdit R.A.(HH.MMSS):", optionsShown(d));
    check(d, "iridBox");
    EXPECT_EQ("", optionsShown(d)) << "Iridium flares clear Flares and its controls";
    EXPECT_FALSE(child<QCheckBox>(d, "flarBox")->isChecked());
}

TEST_F(ViewTest, MapCorrectsMeridianAndFrequencyVisibilityPlacesTheSurfacePair)
{
    WinpData& in = *indata;
    in.skymap = in.maptype = 0;
    const auto accept = [this](const char* meridian, const char* frequency) {
        acceptWith<ObMapDialog>({{"meridianEdit", meridian}, {"frequEdit", frequency}});
        view.vMapDialog();
        return std::make_tuple(indata->cenlon, indata->dopfreq);
    };
    EXPECT_EQ(std::make_tuple(270.0, 0.0), accept("-90", "-5"));
    EXPECT_EQ(std::make_tuple(-640.0, 1e308), accept("-1000", "1e308")) << "extreme values are kept and drawn";
    std::tie(in.mapimgok, in.maptype) = std::make_tuple(false, 3);  // the physical map
    accept("0", "0");
    EXPECT_EQ(0, in.maptype) << "without the world image the physical map becomes the outline";
    std::tie(in.flares, in.knownsurf, in.cylflare, in.solpanel) = std::make_tuple(1, -2, true, false);
    std::tie(in.flryaw, in.flrpitch, in.flryaw2, in.flrpitch2) = std::make_tuple(1, 2, 3, 4);
    const auto pair = [&in] { return std::make_tuple(in.flryaw, in.flrpitch, in.flryaw2, in.flrpitch2); };
    QString offered;
    whenModal<ObVisDialog>([&offered](ObVisDialog* d) {
        offered = child<QLineEdit>(*d, "yawEdit")->text();
        child<QLineEdit>(*d, "pitchEdit")->setText("-15");
        d->accept();
    });
    view.vVisibility();
    EXPECT_EQ("3", offered);
    EXPECT_EQ(std::make_tuple(1.0, 2.0, 3.0, -15.0), pair()) << "the cylinder axis is stored in its own place";
    whenModal<ObVisDialog>([](ObVisDialog* d) {
        check(*d, "knownBox");
        child<QLineEdit>(*d, "yawEdit")->setText("30");
        d->accept();
    });
    view.vVisibility();
    EXPECT_EQ(2, in.knownsurf);
    EXPECT_EQ(std::make_tuple(30.0, -15.0, 3.0, -15.0), pair()) << "a known surface's pair goes to the mirror";
    // With the Sun/Moon plot on, a change between Sun and Moon asks for a new disc view.
    const auto choose = [this](const char* body) {
        whenModal<ObVisDialog>([body](ObVisDialog* d) {
            for (const char* box : {"occBox", body, "smplotBox"}) check(*d, box);
            d->accept();
        });
        indata->lastrefresh = 61000;
        view.vVisibility();
        return std::make_tuple(indata->occmode, indata->lastrefresh);
    };
    std::tie(in.flares, in.occmode) = std::make_tuple(0, 1);
    EXPECT_EQ(std::make_tuple(2, 0.0), choose("moonButton"));
    EXPECT_EQ(std::make_tuple(2, 61000.0), choose("moonButton"));
    EXPECT_EQ(std::make_tuple(1, 0.0), choose("sunButton"));
    EXPECT_EQ(std::make_tuple(3, 61000.0), choose("radecButton"));
}
