// Visibility settings dialog: values in and out, the exclusive calculation modes, which controls
// show for which options, and the view's command that places the yaw/pitch pair.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cstring>
#include <memory>
#include <tuple>

#include "dialog_helpers.h"
#include "gui_helpers.h"
#include "obmapdialog.h"
#include "obvisdialog.h"
#include "orbikaview.h"

namespace {

// Both parameter sets of the dialog.
struct Vis {
    double maxsun, minsat, epoch, yaw, pitch;
    int visonly, moonvis, smplot, occ, irid, flare, known, yawsteer;
    bool ecl, solpanel, flrmag;
    double flrmax;
    bool cyl;
    auto tie() const
    {
        return std::tie(maxsun, minsat, epoch, yaw, pitch, visonly, moonvis, smplot, occ, irid,
                        flare, known, yawsteer, ecl, solpanel, flrmag, flrmax, cyl);
    }
};

Vis read(const ObVisDialog& d)
{
    Vis v{};
    d.getParams(v.maxsun, v.minsat, v.epoch, v.yaw, v.pitch, v.visonly, v.moonvis);
    d.getParam2(v.smplot, v.occ, v.irid, v.flare, v.known, v.yawsteer, v.ecl, v.solpanel,
                v.flrmag, v.flrmax, v.cyl);
    return v;
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
    EXPECT_EQ("", optionsShown(d));
    check(d, "occBox");
    EXPECT_EQ("occGroup smplotBox", optionsShown(d));
    check(d, "radecButton");
    check(d, "localBox");  // a sky position while occultations are on
    EXPECT_EQ("occGroup pitchEdit R.A.(HH.MMSS):", optionsShown(d));
    check(d, "localBox", false);

    check(d, "flarBox");
    EXPECT_EQ("knownBox localBox solfBox cylBox", optionsShown(d));
    check(d, "cylBox");
    EXPECT_EQ("knownBox localBox solfBox cylBox pitchEdit R.A.(HH.MMSS):", optionsShown(d));
    check(d, "localBox");
    EXPECT_EQ("knownBox localBox ystBox cylBox pitchEdit Yaw (deg):", optionsShown(d));
    check(d, "knownBox");
    check(d, "flrmagBox");
    EXPECT_EQ("knownBox localBox ystBox flrmagBox flrmxEdit pitchEdit Yaw (deg):",
              optionsShown(d));
    check(d, "localBox", false);
    EXPECT_EQ("knownBox localBox flrmagBox flrmxEdit pitchEdit R.A.(HH.MMSS):", optionsShown(d));

    // Iridium flares while Flares is on: Flares clears and its controls disappear.
    check(d, "iridBox");
    EXPECT_EQ("", optionsShown(d));
    EXPECT_EQ(std::make_tuple(0, 3), std::make_tuple(read(d).flare, read(d).irid));
}

TEST(VisDialog, CommandPlacesTheSurfacePairAndKeepsSettingsOnCancel)
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

    const auto before = std::make_unique<WinpData>(in);
    whenModal<ObVisDialog>([](ObVisDialog* d) {
        child<QLineEdit>(*d, "sunelEdit")->setText("45");
        d->reject();
    });
    view.vVisibility();
    EXPECT_EQ(0, std::memcmp(before.get(), indata, sizeof(WinpData)));

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
