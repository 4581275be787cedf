// Visibility settings dialog: values in and out, the exclusive calculation modes, which controls
// show for which options, and the view's command that places the yaw/pitch pair.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <cstring>
#include <memory>
#include <tuple>

#include "dialog_helpers.h"
#include "gui_helpers.h"
#include "obvisdialog.h"
#include "orbikaview.h"

namespace {

// Both parameter sets of the dialog.
struct VisValues {
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

void fill(ObVisDialog& d, const VisValues& v)
{
    d.setParams(v.maxsun, v.minsat, v.epoch, v.yaw, v.pitch, v.visonly, v.moonvis);
    d.setParam2(v.smplot, v.occ, v.irid, v.flare, v.known, v.yawsteer, v.ecl, v.solpanel,
                v.flrmag, v.flrmax, v.cyl);
}

VisValues read(const ObVisDialog& d)
{
    VisValues v{};
    d.getParams(v.maxsun, v.minsat, v.epoch, v.yaw, v.pitch, v.visonly, v.moonvis);
    d.getParam2(v.smplot, v.occ, v.irid, v.flare, v.known, v.yawsteer, v.ecl, v.solpanel,
                v.flrmag, v.flrmax, v.cyl);
    return v;
}

// True when the control named name is shown (in a shown dialog) and usable.
bool shown(const QWidget& d, const QString& name)
{
    const auto* w = child<QWidget>(d, name);
    return w->isVisibleTo(&d) && w->isEnabled();
}

// Text of the label whose accelerator leads to the field named name.
QString labelText(const QWidget& d, const QString& name)
{
    const auto* field = child<QWidget>(d, name);
    for (const QLabel* l : d.findChildren<QLabel*>())
        if (l->buddy() == field)
            return l->text();
    return {};
}

void check(const QWidget& d, const QString& name, bool on)
{
    child<QAbstractButton>(d, name)->setChecked(on);
}

}  // namespace

TEST(VisDialog, BothParameterSetsRoundTrip)
{
    const VisValues cases[] = {
        // Sun transit plot; the stored modes come back even when several are set.
        {-6, 10, 2000, 12.5, -40, 1, 0, 1, 1, 0, 1, 1, 0, true, false, true, -8.25, false},
        // Moon transit, surface unknown with inertial attitude.
        {90, -2.5, 0, 5.3015, 22.4530, 0, 1, 1, 2, 0, 0, -2, 0, false, false, false, 0, false},
        // Star occultation at R.A./Dec., unknown local surface with yaw steering.
        {-12, 5, 2026.5, 23.5959, -89.5959, 1, 1, 0, 3, 3, 0, -1, 1, false, true, false, 1, false},
        // Cylindrical flares of an unknown inertial surface; Iridium mode.
        {0, 0, 1950, 1e-7, 123456, 0, 0, 0, 0, 3, 1, 2, 0, false, false, true, 3, true},
    };
    for (const VisValues& v : cases) {
        ObVisDialog d;
        fill(d, v);
        EXPECT_EQ(v.tie(), read(d).tie()) << "occ " << v.occ << " known " << v.known;
    }

    // Solar panel flares win over cylindrical flares; occultation modes 0 and below read as
    // off; Iridium is mode 3 or nothing; unreadable numbers give 0.
    ObVisDialog d;
    fill(d, {1, 2, 3, 4, 5, 7, 7, 7, -4, 2, 9, -7, 7, false, true, false, 6, true});
    d.findChild<QLineEdit*>("sunelEdit")->setText("abc");
    d.findChild<QLineEdit*>("flrmxEdit")->setText("inf");
    const VisValues v = read(d);
    EXPECT_FALSE(v.cyl);
    EXPECT_EQ(std::make_tuple(0, 0, 1, 1, 1, -2, 1),
              std::make_tuple(v.occ, v.irid, v.flare, v.visonly, v.moonvis, v.known, v.yawsteer));
    EXPECT_EQ(0.0, v.maxsun);
    EXPECT_EQ(0.0, v.flrmax);
}

TEST(VisDialog, CalculationModesExcludeEachOther)
{
    const QString modes[] = {"flarBox", "occBox", "iridBox", "eclBox"};
    for (const QString& on : modes) {
        ObVisDialog d;
        for (const QString& m : modes)
            check(d, m, true);  // each check clears the earlier ones
        check(d, on, true);
        for (const QString& m : modes)
            EXPECT_EQ(m == on, child<QCheckBox>(d, m)->isChecked()) << on.toStdString();
    }

    // Iridium flares while Flares is on: Flares clears and its controls disappear.
    ObVisDialog d;
    fill(d, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, false, false, true, 0, false});
    ASSERT_TRUE(shown(d, "knownBox"));
    check(d, "iridBox", true);
    const VisValues v = read(d);
    EXPECT_EQ(std::make_tuple(0, 3), std::make_tuple(v.flare, v.irid));
    for (const char* name : {"knownBox", "localBox", "ystBox", "flrmagBox", "yawEdit"})
        EXPECT_FALSE(shown(d, name)) << name;
}

TEST(VisDialog, ControlsShowAndRelabelWithTheOptions)
{
    ObVisDialog d;
    const auto visible = [&d](std::initializer_list<const char*> names) {
        QStringList out;
        for (const char* n : {"occGroup", "sunButton", "radecButton", "smplotBox", "knownBox",
                              "localBox", "ystBox", "solfBox", "cylBox", "flrmagBox", "flrmxEdit",
                              "yawEdit", "pitchEdit"})
            if (shown(d, n))
                out << n;
        QStringList expected;
        for (const char* n : names)
            expected << n;
        return out == expected ? QString() : out.join(' ') + " != " + expected.join(' ');
    };
    EXPECT_EQ(QString(), visible({}));

    check(d, "occBox", true);
    EXPECT_EQ(QString(), visible({"occGroup", "sunButton", "radecButton", "smplotBox"}));
    check(d, "moonButton", true);
    EXPECT_TRUE(shown(d, "smplotBox"));
    check(d, "radecButton", true);
    EXPECT_EQ(QString(),
              visible({"occGroup", "sunButton", "radecButton", "yawEdit", "pitchEdit"}));
    check(d, "localBox", true);  // still a sky position while occultations are on
    EXPECT_EQ("R.A.(HH.MMSS):", labelText(d, "yawEdit"));
    EXPECT_EQ("Dec.(DDD.MMSS):", labelText(d, "pitchEdit"));
    check(d, "localBox", false);

    // Flares with nothing known: solar panel and cylinder choices; the cylinder axis needs angles.
    check(d, "flarBox", true);
    EXPECT_EQ(QString(), visible({"knownBox", "localBox", "solfBox", "cylBox"}));
    check(d, "cylBox", true);
    EXPECT_EQ(QString(), visible({"knownBox", "localBox", "solfBox", "cylBox", "yawEdit",
                                  "pitchEdit"}));
    EXPECT_EQ("R.A.(HH.MMSS):", labelText(d, "yawEdit"));
    check(d, "localBox", true);
    EXPECT_EQ(QString(), visible({"knownBox", "localBox", "ystBox", "cylBox", "yawEdit",
                                  "pitchEdit"}));
    EXPECT_EQ("Yaw (deg):", labelText(d, "yawEdit"));
    EXPECT_EQ("Pitch (deg):", labelText(d, "pitchEdit"));

    // A known surface: magnitude display, its limit only while that is checked.
    check(d, "knownBox", true);
    EXPECT_EQ(QString(), visible({"knownBox", "localBox", "ystBox", "flrmagBox", "yawEdit",
                                  "pitchEdit"}));
    check(d, "flrmagBox", true);
    EXPECT_TRUE(shown(d, "flrmxEdit"));
    EXPECT_TRUE(labelText(d, "flrmxEdit").startsWith("Maximum Flare Magnitude"));
    check(d, "localBox", false);
    EXPECT_EQ(QString(), visible({"knownBox", "localBox", "flrmagBox", "flrmxEdit", "yawEdit",
                                  "pitchEdit"}));

    // Every input carries a tool tip and a What's This text.
    for (const QWidget* w : d.findChildren<QWidget*>()) {
        const bool input = qobject_cast<const QLineEdit*>(w) || qobject_cast<const QCheckBox*>(w) ||
                           qobject_cast<const QRadioButton*>(w);
        EXPECT_FALSE(input && (w->toolTip().isEmpty() || w->whatsThis().isEmpty()))
            << w->objectName().toStdString();
    }
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
    in.flryaw = 1;
    in.flrpitch = 2;
    in.flryaw2 = 3;
    in.flrpitch2 = 4;

    const auto before = std::make_unique<WinpData>(in);
    whenModal([](QWidget* d) {
        child<QLineEdit>(*d, "sunelEdit")->setText("45");
        static_cast<QDialog*>(d)->reject();
    });
    view.vVisibility();
    EXPECT_EQ(0, std::memcmp(before.get(), indata, sizeof(WinpData)));

    // The cylinder axis is offered and stored back in its own place.
    QString offered;
    whenModal([&offered](QWidget* d) {
        offered = child<QLineEdit>(*d, "yawEdit")->text();
        child<QLineEdit>(*d, "pitchEdit")->setText("-15");
        static_cast<QDialog*>(d)->accept();
    });
    view.vVisibility();
    EXPECT_EQ("3", offered);
    EXPECT_EQ(std::make_tuple(1.0, 2.0, 3.0, -15.0),
              std::make_tuple(in.flryaw, in.flrpitch, in.flryaw2, in.flrpitch2));

    // Turning to a known surface writes the pair shown to the mirror normal instead.
    whenModal([](QWidget* d) {
        check(*d, "knownBox", true);
        child<QLineEdit>(*d, "yawEdit")->setText("30");
        static_cast<QDialog*>(d)->accept();
    });
    view.vVisibility();
    EXPECT_EQ(2, in.knownsurf);
    EXPECT_EQ(std::make_tuple(30.0, -15.0, 3.0, -15.0),
              std::make_tuple(in.flryaw, in.flrpitch, in.flryaw2, in.flrpitch2));

    // With the Sun/Moon plot on, a change between Sun and Moon asks for a new disc view; a
    // change to R.A./Dec. does not.
    const auto choose = [&view](const char* body) {
        whenModal([body](QWidget* d) {
            check(*d, "occBox", true);
            check(*d, body, true);
            check(*d, "smplotBox", true);
            static_cast<QDialog*>(d)->accept();
        });
        indata->lastrefresh = 61000;
        view.vVisibility();
    };
    in.flares = 0;
    in.occmode = 1;
    in.smplotflg = 1;
    choose("moonButton");
    EXPECT_EQ(std::make_tuple(2, 0.0), std::make_tuple(in.occmode, in.lastrefresh));
    choose("moonButton");
    EXPECT_EQ(61000.0, in.lastrefresh);
    choose("sunButton");
    EXPECT_EQ(0.0, in.lastrefresh);
    choose("radecButton");
    EXPECT_EQ(std::make_tuple(3, 61000.0), std::make_tuple(in.occmode, in.lastrefresh));
}
