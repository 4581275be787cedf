// Map settings dialog: values in and out, the physical map only with the image, ground-track
// against sky controls, projection buttons writing azimuths, and the view's command with its
// corrections of the central meridian and the Doppler frequency.
#include <gtest/gtest.h>

#include <QAbstractButton>
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

}  // namespace

TEST(MapDialog, ParametersRoundTripAndThePhysicalMapNeedsTheImage)
{
    const Map cases[] = {
        {0, 0, 0, 0, 0, 0, 0, false, 10, false, 3, 0, 0},
        {2, 2, 5, 1, 1, 1, 123.25, true, 12, true, 2, 270, 145800000},
        {1, 1, 3, 0, 1, 0, 37, false, 10, true, 1, 359.5, 437.55e6},
    };
    for (const Map& v : cases) {
        ObMapDialog d;
        fill(d, v, true);
        EXPECT_TRUE(shown(d, "ppwmButton") || v.skymap);
        EXPECT_EQ(v.tie(), read(d).tie()) << "grid " << v.grid;
    }

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

TEST(MapDialog, SkyMapSwapsTheControlSetsAndDirectionsWriteAzimuths)
{
    ObMapDialog d;
    fill(d, {1, 0, 2, 0, 0, 0, 37, false, 10, false, 0, 0, 0}, true);
    const auto sets = [&d] {
        return std::make_tuple(shown(d, "gridGroup"), shown(d, "mapGroup"),
                               shown(d, "meridianEdit"), shown(d, "satskyBox"),
                               shown(d, "skyGroup"), shown(d, "azimEdit"));
    };
    EXPECT_EQ(std::make_tuple(true, true, true, false, false, false), sets());
    child<QAbstractButton>(d, "skyBox")->setChecked(true);
    EXPECT_EQ(std::make_tuple(false, false, false, true, true, false), sets());

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

TEST(MapDialog, CommandCorrectsMeridianAndFrequencyAndKeepsSettingsOnCancel)
{
    const ProgramDir dir;
    OrbikaView view(nullptr);
    WinpData& in = *indata;
    in.skymap = 0;
    in.maptype = 0;

    const auto before = std::make_unique<WinpData>(in);
    whenModal<ObMapDialog>([](ObMapDialog* d) {
        child<QAbstractButton>(*d, "skyBox")->setChecked(true);
        child<QLineEdit>(*d, "meridianEdit")->setText("45");
        d->reject();
    });
    view.vMapDialog();
    EXPECT_EQ(0, std::memcmp(before.get(), indata, sizeof(WinpData)));

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
