// Map settings dialog: values in and out, ground-track against sky controls, projection buttons
// writing azimuths, the physical map only with the image, and the view's command with its
// corrections of the central meridian and the Doppler frequency.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include <cstring>
#include <memory>
#include <tuple>

#include "dialog_helpers.h"
#include "gui_helpers.h"
#include "obmapdialog.h"
#include "orbikaview.h"

namespace {

// Both parameter sets of the dialog (imageok only goes in).
struct MapValues {
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

void fill(ObMapDialog& d, const MapValues& v, bool imageok)
{
    d.setParams(v.grid, v.background, v.skyproj, v.daynight, v.skymap, v.fourdigits, v.skyazim,
                v.satview);
    d.setParamF(v.fontsize, v.bold, v.maptype, v.cenlon, v.doppler, imageok);
}

MapValues read(const ObMapDialog& d)
{
    MapValues v{};
    d.getParams(v.grid, v.background, v.skyproj, v.daynight, v.skymap, v.fourdigits, v.skyazim,
                v.satview);
    d.getParamF(v.fontsize, v.bold, v.maptype, v.cenlon, v.doppler);
    return v;
}

// True when the control named name is shown (in a shown dialog) and usable.
bool shown(const QWidget& d, const QString& name)
{
    const auto* w = child<QWidget>(d, name);
    return w->isVisibleTo(&d) && w->isEnabled();
}

void check(const QWidget& d, const QString& name, bool on = true)
{
    child<QAbstractButton>(d, name)->setChecked(on);
}

QString azimText(const QWidget& d) { return child<QLineEdit>(d, "azimEdit")->text(); }

}  // namespace

TEST(MapDialog, BothParameterSetsRoundTrip)
{
    const MapValues cases[] = {
        {0, 0, 0, 0, 0, 0, 0, false, 10, false, 3, 0, 0},
        {2, 2, 5, 1, 1, 1, 123.25, true, 12, true, 2, 270, 145800000},
        {1, 1, 3, 0, 1, 0, 37, false, 10, true, 1, 359.5, 437.55e6},
    };
    for (const MapValues& v : cases) {
        ObMapDialog d;
        fill(d, v, true);
        EXPECT_EQ(v.tie(), read(d).tie()) << "grid " << v.grid;
    }

    // Values the dialog does not offer: the first choice, the normal font; unreadable numbers 0.
    ObMapDialog d;
    fill(d, {7, -1, 9, 2, 3, 4, 1e300, true, 11, false, 3, 1000, -5}, false);
    child<QLineEdit>(d, "frequEdit")->setText("x");
    const MapValues v = read(d);
    EXPECT_EQ(std::make_tuple(0, 0, 0, 1, 1, 1, 1e300, 12, 0, 1000.0, 0.0),
              std::make_tuple(v.grid, v.background, v.skyproj, v.daynight, v.skymap,
                              v.fourdigits, v.skyazim, v.fontsize, v.maptype, v.cenlon,
                              v.doppler));

    // The Doppler frequency is written in the %g format.
    fill(d, {0, 0, 0, 0, 0, 0, 0, false, 10, false, 0, 0, 145800000}, true);
    EXPECT_EQ("1.458e+08", child<QLineEdit>(d, "frequEdit")->text());
}

TEST(MapDialog, PhysicalMapOnlyWithTheImage)
{
    const MapValues physical{1, 0, 0, 0, 0, 0, 0, false, 10, false, 3, 0, 0};
    ObMapDialog without;
    fill(without, physical, false);
    EXPECT_FALSE(shown(without, "ppwmButton"));
    EXPECT_TRUE(child<QRadioButton>(without, "pstdButton")->isChecked());
    EXPECT_EQ(0, read(without).maptype);
    int offered = 0;
    for (const auto* b : child<QGroupBox>(without, "mapGroup")->findChildren<QRadioButton*>())
        offered += b->isVisibleTo(&without);
    EXPECT_EQ(3, offered);

    ObMapDialog with;
    fill(with, physical, true);
    EXPECT_TRUE(shown(with, "ppwmButton"));
    EXPECT_EQ(3, read(with).maptype);
}

TEST(MapDialog, SkyMapSwapsTheControlSetsAndDirectionsWriteAzimuths)
{
    ObMapDialog d;
    fill(d, {1, 0, 2, 0, 0, 0, 37, false, 10, false, 0, 0, 0}, true);
    const char* ground[] = {"gridGroup", "mapGroup", "meridianEdit"};
    const char* sky[] = {"satskyBox", "skyGroup"};
    for (const char* n : ground)
        EXPECT_TRUE(shown(d, n)) << n;
    for (const char* n : sky)
        EXPECT_FALSE(shown(d, n)) << n;
    EXPECT_FALSE(shown(d, "azimEdit"));

    check(d, "skyBox");
    for (const char* n : ground)
        EXPECT_FALSE(shown(d, n)) << n;
    for (const char* n : sky)
        EXPECT_TRUE(shown(d, n)) << n;
    // A stored direction keeps the stored azimuth until another direction is chosen.
    EXPECT_EQ("37", azimText(d));
    EXPECT_FALSE(shown(d, "azimEdit"));

    const std::pair<const char*, const char*> directions[] = {
        {"northButton", "0"}, {"westButton", "270"}, {"southButton", "180"}, {"eastButton", "90"}};
    for (const auto& [button, azim] : directions) {
        check(d, button);
        EXPECT_EQ(azim, azimText(d)) << button;
        EXPECT_FALSE(shown(d, "azimEdit")) << button;
    }
    check(d, "azimButton");
    EXPECT_TRUE(shown(d, "azimEdit"));
    EXPECT_EQ("90", azimText(d));
    child<QLineEdit>(d, "azimEdit")->setText("212.5");
    check(d, "zenithButton");
    EXPECT_FALSE(shown(d, "azimEdit"));
    const MapValues v = read(d);
    EXPECT_EQ(std::make_tuple(0, 1, 212.5, 1), std::make_tuple(v.skyproj, v.skymap, v.skyazim,
                                                                v.grid));

    // Every input carries a tool tip and a What's This text.
    for (const QWidget* w : d.findChildren<QWidget*>()) {
        const bool input = qobject_cast<const QLineEdit*>(w) || qobject_cast<const QCheckBox*>(w) ||
                           qobject_cast<const QRadioButton*>(w);
        EXPECT_FALSE(input && (w->toolTip().isEmpty() || w->whatsThis().isEmpty()))
            << w->objectName().toStdString();
    }
}

TEST(MapDialog, CommandCorrectsMeridianAndFrequencyAndKeepsSettingsOnCancel)
{
    const ProgramDir dir;
    OrbikaView view(nullptr);
    WinpData& in = *indata;
    in.skymap = 0;
    in.maptype = 0;

    const auto before = std::make_unique<WinpData>(in);
    whenModal([](QWidget* d) {
        check(*d, "skyBox");
        child<QLineEdit>(*d, "meridianEdit")->setText("45");
        static_cast<QDialog*>(d)->reject();
    });
    view.vMapDialog();
    EXPECT_EQ(0, std::memcmp(before.get(), indata, sizeof(WinpData)));

    const auto accept = [&view](const char* meridian, const char* frequency) {
        whenModal([meridian, frequency](QWidget* d) {
            child<QLineEdit>(*d, "meridianEdit")->setText(meridian);
            child<QLineEdit>(*d, "frequEdit")->setText(frequency);
            static_cast<QDialog*>(d)->accept();
        });
        view.vMapDialog();
    };
    accept("-90", "-5");
    EXPECT_EQ(std::make_tuple(270.0, 0.0), std::make_tuple(in.cenlon, in.dopfreq));
    accept("1000", "145.8e6");
    EXPECT_EQ(std::make_tuple(1000.0, 145.8e6), std::make_tuple(in.cenlon, in.dopfreq));
    accept("-1000", "1e308");  // the map copes with meridians far out of range
    EXPECT_EQ(-640.0, in.cenlon);

    // Without the world image a stored physical map becomes the outline map.
    in.mapimgok = false;
    in.maptype = 3;
    accept("0", "0");
    EXPECT_EQ(0, in.maptype);
}
