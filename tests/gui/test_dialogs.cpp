// Settings dialogs: impossible dates refused, the two forms of a site, accelerators; the map
// dialog (the physical map only with the image, ground-track against sky controls, directions
// writing azimuths, the command's corrections of meridian and frequency); the visibility dialog
// (exclusive modes, which options show, where the command puts the yaw/pitch pair).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>

#include <array>
#include <tuple>

#include "dialog_helpers.h"
#include "gui_helpers.h"
#include "obdatedialog.h"
#include "obiersdialog.h"
#include "obmapdialog.h"
#include "obobsdialog.h"
#include "obstepdialog.h"
#include "obstatedialog.h"
#include "obsysconfdialog.h"
#include "obvisdialog.h"
#include "orbikaview.h"

namespace {

// Presses OK on d; returns the text of the warning that keeps it open, or "" when it closed.
QString pressOk(QDialog& d)
{
    QString message;
    QPointer<QTimer> watcher = whenModal<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->close();
    });
    d.setResult(QDialog::Rejected);
    d.accept();
    delete watcher;
    EXPECT_EQ(message.isEmpty(), d.result() == QDialog::Accepted) << message.toStdString();
    return message;
}


// Both parameter sets of the dialog.
struct Map {
    int grid, background, skyproj, daynight, skymap, fourdigits;
    double skyazim;
    bool satview;
    int fontsize;
    bool bold;
    int maptype;
    double cenlon, doppler;
    auto tie() const
    {
        return std::tie(grid, background, skyproj, daynight, skymap, fourdigits, skyazim, satview,
                        fontsize, bold, maptype, cenlon, doppler);
    }
};

void fill(ObMapDialog& d, const Map& v, bool imageok)
{
    d.setParams(v.grid, v.background, v.skyproj, v.daynight, v.skymap, v.fourdigits, v.skyazim,
                v.satview);
    d.setParamF(v.fontsize, v.bold, v.maptype, v.cenlon, v.doppler, imageok);
}

Map read(const ObMapDialog& d)
{
    Map v{};
    d.getParams(v.grid, v.background, v.skyproj, v.daynight, v.skymap, v.fourdigits, v.skyazim,
                v.satview);
    d.getParamF(v.fontsize, v.bold, v.maptype, v.cenlon, v.doppler);
    return v;
}

bool shown(const QWidget& d, const char* name)
{
    const auto* w = child<QWidget>(d, name);
    return w->isVisibleTo(&d) && w->isEnabled();
}


void check(const QWidget& d, const char* name, bool on = true)
{
    child<QAbstractButton>(d, name)->setChecked(on);
}

// Names of the option controls that are shown and usable, and the label of the yaw field.
QString optionsShown(const QWidget& d)
{
    QStringList out;
    for (const char* n : {"occGroup", "smplotBox", "knownBox", "localBox", "ystBox", "solfBox",
                          "cylBox", "flrmagBox", "flrmxEdit", "pitchEdit"}) {
        const auto* w = child<QWidget>(d, n);
        if (w->isVisibleTo(&d) && w->isEnabled())
            out << n;
    }
    const auto* yaw = child<QWidget>(d, "yawEdit");
    for (const QLabel* l : d.findChildren<QLabel*>())
        if (l->buddy() == yaw && yaw->isVisibleTo(&d))
            out << l->text();
    return out.join(' ');
}

}  // namespace

TEST(DateDialog, LaunchDateShowsTheIntervalLocked)
{
    // A launch or match date: the negated duration is shown positive, both fields locked.
    ObDateDialog dateOnly;
    dateOnly.setParams(2026, 2, 22, 0, 0, 0, 1.0, 1, -7.0, 0.0);
    EXPECT_EQ("7", child<QLineEdit>(dateOnly, "durEdit")->text());
    EXPECT_FALSE(child<QLineEdit>(dateOnly, "durEdit")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(dateOnly, "rtEdit")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(dateOnly, "tzoneEdit")->isEnabled());
}

TEST(DateDialog, ImpossibleDatesAreRefusedWithAMessage)
{
    const std::array<std::tuple<int, int, int, const char*>, 4> dates = {{
        {2026, 13, 1, "Month: 13 is not valid (1 to 12)."},
        {2026, 1, 40, "Day: 40 is not valid (1 to 31)."},
        {2024, 2, 29, ""},
        {2026, 2, 29, "Day: 29 is not valid (1 to 28)."},
    }};
    for (const auto& [year, month, day, message] : dates) {
        ObDateDialog d;
        d.setParams(year, month, day, 12, 0, 0, 0.0, 0, 1.0, 0.0);
        EXPECT_EQ(QString(message), pressOk(d));
    }
    ObDateDialog d;
    d.setParams(2026, 3, 1, 24, 0, 0, 0.0, 0, 1.0, 0.0);
    EXPECT_EQ("Hours: 24 is not valid (0 to 23).", pressOk(d));

    // An epoch as year and day of the year: day 366 exists in leap years only.
    ObStateDialog state;
    child<QLineEdit>(state, "yearEdit")->setText("2026");
    child<QLineEdit>(state, "dayEdit")->setText("366.5");
    EXPECT_EQ("Day of Year. Fraction of Day: 366.5 is not valid (from 1 to below 366).",
              pressOk(state));
    child<QLineEdit>(state, "yearEdit")->setText("2024");
    EXPECT_EQ("", pressOk(state));
}

TEST(ObsDialog, DecimalAndDmsFormsConvertBothWays)
{
    ObObsDialog d;
    d.setParams(10.5, 8.25, 410, "Zurich", false);
    auto* lat = child<QLineEdit>(d, "latEdit");
    auto* lng = child<QLineEdit>(d, "lngEdit");
    EXPECT_EQ("10.5", lat->text());
    EXPECT_EQ("8.25", lng->text());
    child<QRadioButton>(d, "ddmmButton")->setChecked(true);
    EXPECT_EQ("10.3", lat->text());
    EXPECT_EQ("8.15", lng->text());
    double la, lo, h;
    bool ddmm;
    d.getParams(la, lo, h, ddmm);
    EXPECT_TRUE(ddmm);
    EXPECT_NEAR(10.5, la, 1e-9);  // returned in decimal degrees whatever is shown
    EXPECT_NEAR(8.25, lo, 1e-9);
    EXPECT_DOUBLE_EQ(410, h);
    child<QRadioButton>(d, "decButton")->setChecked(true);
    EXPECT_EQ("10.5", lat->text());
    EXPECT_EQ("8.25", lng->text());
    EXPECT_EQ("Zurich", d.getGeoname());

    // Opened in d.mmss: the stored decimal degrees appear converted and come back unchanged.
    ObObsDialog dms;
    dms.setParams(-33.8675, 151.207, 58, "Sydney", true);
    EXPECT_TRUE(child<QRadioButton>(dms, "ddmmButton")->isChecked());
    EXPECT_EQ("-33.5203", child<QLineEdit>(dms, "latEdit")->text());
    EXPECT_EQ("151.1225", child<QLineEdit>(dms, "lngEdit")->text());
    dms.getParams(la, lo, h, ddmm);
    EXPECT_NEAR(-33.8675, la, 1.0 / 3600);
    EXPECT_NEAR(151.207, lo, 1.0 / 3600);
}

TEST(TimeAndPlaceDialogs, EveryAcceleratorLeadsToAField)
{
    ObDateDialog date;
    ObIersDialog iers;
    ObObsDialog obs;
    ObStepDialog step;
    ObSysConfDialog sys;
    for (const QDialog* d :
         std::initializer_list<const QDialog*>{&date, &iers, &obs, &step, &sys}) {
        for (const QLabel* l : d->findChildren<QLabel*>())
            EXPECT_TRUE(!l->text().contains('&') || l->buddy()) << l->text().toStdString();
    }
}

TEST(MapDialog, PhysicalMapNeedsTheImageAndBadValuesReadAsDefaults)
{
    ObMapDialog withImage;
    fill(withImage, {0, 0, 0, 0, 0, 0, 0, false, 10, false, 3, 0, 0}, true);
    EXPECT_TRUE(shown(withImage, "ppwmButton"));
    EXPECT_EQ(3, read(withImage).maptype);

    // Without the image three projections are offered and a stored physical map reads as the
    // outline map; values not offered read as the first choice; unreadable numbers give 0.
    ObMapDialog d;
    fill(d, {7, -1, 9, 2, 0, 4, 1e300, true, 11, false, 3, 1000, 145800000}, false);
    EXPECT_EQ("1.458e+08", child<QLineEdit>(d, "frequEdit")->text());
    int offered = 0;
    for (const auto* b : child<QGroupBox>(d, "mapGroup")->findChildren<QRadioButton*>())
        offered += b->isVisibleTo(&d);
    EXPECT_EQ(3, offered);
    child<QLineEdit>(d, "frequEdit")->setText("x");
    const Map v = read(d);
    EXPECT_EQ(std::make_tuple(0, 0, 0, 1, 1, 1e300, 12, 0, 1000.0, 0.0),
              std::make_tuple(v.grid, v.background, v.skyproj, v.daynight, v.fourdigits,
                              v.skyazim, v.fontsize, v.maptype, v.cenlon, v.doppler));
}

TEST(MapDialog, SkyDirectionsWriteAzimuths)
{
    ObMapDialog d;
    fill(d, {1, 0, 2, 0, 0, 0, 37, false, 10, false, 0, 0, 0}, true);
    EXPECT_FALSE(shown(d, "skyGroup"));
    child<QAbstractButton>(d, "skyBox")->setChecked(true);
    EXPECT_FALSE(shown(d, "mapGroup"));

    // A stored direction keeps its azimuth until a direction is chosen; the free azimuth shows
    // the field, the zenith hides it and keeps the value.
    auto* azim = child<QLineEdit>(d, "azimEdit");
    EXPECT_EQ("37", azim->text());
    const std::pair<const char*, const char*> directions[] = {
        {"northButton", "0"}, {"westButton", "270"}, {"southButton", "180"}, {"eastButton", "90"}};
    for (const auto& [button, value] : directions) {
        child<QAbstractButton>(d, button)->setChecked(true);
        EXPECT_EQ(value, azim->text()) << button;
        EXPECT_FALSE(shown(d, "azimEdit")) << button;
    }
    child<QAbstractButton>(d, "azimButton")->setChecked(true);
    EXPECT_TRUE(shown(d, "azimEdit"));
    azim->setText("212.5");
    child<QAbstractButton>(d, "zenithButton")->setChecked(true);
    EXPECT_FALSE(shown(d, "azimEdit"));
    const Map v = read(d);
    EXPECT_EQ(std::make_tuple(0, 1, 212.5, 1),
              std::make_tuple(v.skyproj, v.skymap, v.skyazim, v.grid));
}

TEST(MapDialog, CommandCorrectsMeridianAndFrequency)
{
    const ProgramDir dir;
    OrbikaView view(nullptr);
    WinpData& in = *indata;
    in.skymap = 0;
    in.maptype = 0;

    // Extreme values are stored and the map is redrawn with them.
    const auto accept = [&view](const char* meridian, const char* frequency) {
        whenModal<ObMapDialog>([meridian, frequency](ObMapDialog* d) {
            child<QLineEdit>(*d, "meridianEdit")->setText(meridian);
            child<QLineEdit>(*d, "frequEdit")->setText(frequency);
            d->accept();
        });
        view.vMapDialog();
        return std::make_tuple(indata->cenlon, indata->dopfreq);
    };
    EXPECT_EQ(std::make_tuple(270.0, 0.0), accept("-90", "-5"));
    EXPECT_EQ(std::make_tuple(1000.0, 145.8e6), accept("1000", "145.8e6"));
    EXPECT_EQ(std::make_tuple(-640.0, 1e308), accept("-1000", "1e308"));

    // Without the world image a stored physical map becomes the outline map.
    in.mapimgok = false;
    in.maptype = 3;
    accept("0", "0");
    EXPECT_EQ(0, in.maptype);
}

TEST(VisDialog, ModesExcludeEachOtherAndOptionsFollowTheChecks)
{
    const char* modes[] = {"flarBox", "occBox", "iridBox", "eclBox"};
    for (const char* on : modes) {
        ObVisDialog d;
        for (const char* m : modes)
            check(d, m);
        check(d, on);
        for (const char* m : modes)
            EXPECT_EQ(m == on, child<QCheckBox>(d, m)->isChecked()) << on;
    }

    ObVisDialog d;
    check(d, "radecButton");
    check(d, "flarBox");
    check(d, "cylBox");
    EXPECT_EQ("knownBox localBox solfBox cylBox pitchEdit R.A.(HH.MMSS):", optionsShown(d));

    // Iridium flares while Flares is on: Flares clears and its controls disappear.
    check(d, "iridBox");
    EXPECT_EQ("", optionsShown(d));
    EXPECT_TRUE(child<QCheckBox>(d, "iridBox")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(d, "flarBox")->isChecked());
}

TEST(VisDialog, CommandPlacesTheSurfacePair)
{
    const ProgramDir dir;
    OrbikaView view(nullptr);
    WinpData& in = *indata;
    in.flares = 1;
    in.knownsurf = -2;
    in.cylflare = true;
    in.solpanel = false;
    std::tie(in.flryaw, in.flrpitch, in.flryaw2, in.flrpitch2) = std::make_tuple(1, 2, 3, 4);
    const auto pair = [&in] {
        return std::make_tuple(in.flryaw, in.flrpitch, in.flryaw2, in.flrpitch2);
    };

    // The cylinder axis is offered and stored back in its own place; with a known surface the
    // pair shown goes to the mirror normal.
    QString offered;
    whenModal<ObVisDialog>([&offered](ObVisDialog* d) {
        offered = child<QLineEdit>(*d, "yawEdit")->text();
        child<QLineEdit>(*d, "pitchEdit")->setText("-15");
        d->accept();
    });
    view.vVisibility();
    EXPECT_EQ("3", offered);
    EXPECT_EQ(std::make_tuple(1.0, 2.0, 3.0, -15.0), pair());
    whenModal<ObVisDialog>([](ObVisDialog* d) {
        check(*d, "knownBox");
        child<QLineEdit>(*d, "yawEdit")->setText("30");
        d->accept();
    });
    view.vVisibility();
    EXPECT_EQ(2, in.knownsurf);
    EXPECT_EQ(std::make_tuple(30.0, -15.0, 3.0, -15.0), pair());

    // With the Sun/Moon plot on, a change between Sun and Moon asks for a new disc view.
    const auto choose = [&view](const char* body) {
        whenModal<ObVisDialog>([body](ObVisDialog* d) {
            check(*d, "occBox");
            check(*d, body);
            check(*d, "smplotBox");
            d->accept();
        });
        indata->lastrefresh = 61000;
        view.vVisibility();
        return std::make_tuple(indata->occmode, indata->lastrefresh);
    };
    in.flares = 0;
    in.occmode = 1;
    EXPECT_EQ(std::make_tuple(2, 0.0), choose("moonButton"));
    EXPECT_EQ(std::make_tuple(2, 61000.0), choose("moonButton"));
    EXPECT_EQ(std::make_tuple(1, 0.0), choose("sunButton"));
    EXPECT_EQ(std::make_tuple(3, 61000.0), choose("radecButton"));
}
