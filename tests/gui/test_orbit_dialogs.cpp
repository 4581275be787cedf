// Orbit editing: the element editor, state vector frames, and the view's orbit commands.

#include "astro/timescales.h"
#include "core/meanmotion.h"
#include "core/statevector.h"
#include "gui_helpers.h"

namespace {

// Types text into e as a user would (the edit signal sets the change markers).
void type(QLineEdit* e, const QString& text)
{
    e->setText(text);
    emit e->textEdited(text);
}

QString text(const QWidget& d, const char* name) { return child<QLineEdit>(d, name)->text(); }
double value(const QWidget& d, const char* name) { return text(d, name).toDouble(); }

// An ISS-like SGP4 element set.
OrbEdit issLike()
{
    OrbEdit e{"ISS (ZARYA)", 25544, "1998-067A", 60400.5, 51.6416, 247.4627, 0.0006703, 130.536, 325.0288, 15.72125391};
    e.sma = getsax(1, e.mm, e.ecc, e.incl);
    std::tie(e.ndot, e.bstar, e.sgp4) = std::make_tuple(0.00001764, 3.7e-5, true);
    return e;
}

class OrbitDialogs : public ::testing::Test {
protected:
    void SetUp() override { SetDefaults(indata); }
};

// Accepts the date dialog, then runs fill on the next dialog before accepting it.
template <typename D>
void dateThen(std::function<void(D*)> fill)
{
    whenModal<ObDateDialog>([fill](ObDateDialog* date) {
        whenModal<D>([fill](D* d) {
            fill(d);
            d->accept();
        });
        date->accept();
    });
}

// A view in a fresh program directory with nothing selected and the bundled TLE file.
class OrbitView : public ViewTest {
protected:
    void SetUp() override
    {
        setField(indata->tlefile, ORBIKA_DATA_DIR "/tle/visual.txt");
        indata->nsat = indata->prime = 0;
        indata->rdvsel = -1;
    }
};

}  // namespace

TEST_F(OrbitDialogs, ElementEditorKeepsPrecisionAndSetsGeostationaryAndOpenOrbits)
{
    ObEditOrbDialog d;
    const OrbEdit in = issLike();
    d.setParams(in);
    d.accept();
    OrbEdit out;
    bool newSat = true;
    d.getParams(out, newSat);
    EXPECT_FALSE(newSat);
    EXPECT_DOUBLE_EQ(in.mm, out.mm) << "an untouched mean motion keeps its precision";
    EXPECT_DOUBLE_EQ(in.sma, out.sma);
    EXPECT_EQ("91.5000000000", text(d, "dayEdit")) << "31 Mar 2024 12h";
    d.setGeo(0.0);
    EXPECT_EQ("1.00270065", text(d, "n0Edit"));
    EXPECT_NEAR(42166.0, value(d, "aEdit"), 1.5) << "42165.2 km by Kepler's law, raised by J2";
    const double node = std::fmod(15.0 * lsidtim(60400.5, 0.0, 0.0) + 360.0, 360.0);
    EXPECT_NEAR(node, value(d, "raEdit"), 1e-4) << "the node faces the sub-satellite meridian";
    EXPECT_FALSE(child<QCheckBox>(d, "spg4Box")->isChecked());
    d.setParams(in);
    type(child<QLineEdit>(d, "eccEdit"), "1.2");
    EXPECT_FALSE(child<QCheckBox>(d, "spg4Box")->isChecked());
    EXPECT_FALSE(child<QLineEdit>(d, "bstarEdit")->isEnabled());
    type(child<QLineEdit>(d, "n0Edit"), "7000");
    d.refresh();
    EXPECT_NEAR(-35000.0, value(d, "aEdit"), 1e-4) << "an open orbit by its perigee distance q: q / (1 - e)";
    EXPECT_EQ(0.0, value(d, "periEdit"));
    d.getParams(out, newSat);
    EXPECT_FALSE(out.sgp4);
}

TEST_F(OrbitDialogs, RefreshFollowsTheEditedField)
{
    ObEditOrbDialog d;
    OrbEdit e = issLike();
    std::tie(e.sgp4, e.ecc, e.mm, e.sma) = std::make_tuple(false, 0.001, 15.0, 7000.0);
    d.setParams(e);
    child<QLineEdit>(d, "n0Edit")->setText("14");
    d.refresh();
    EXPECT_DOUBLE_EQ(15, value(d, "n0Edit")) << "a field changed without editing is not read";
    // a = 7000 km: 14.83 rev/day by Kepler's law (J2 adds a little), perigee a(1 - e) - R; then a GTO.
    type(child<QLineEdit>(d, "aEdit"), "7000");
    d.refresh();
    EXPECT_NEAR(14.83, value(d, "n0Edit"), 0.05);
    EXPECT_NEAR(614.86, value(d, "periEdit"), 1e-4);
    child<QCheckBox>(d, "perapBox")->click();
    type(child<QLineEdit>(d, "periEdit"), "400");
    type(child<QLineEdit>(d, "apoEdit"), "35786");
    d.refresh();
    EXPECT_NEAR(24471.14, value(d, "aEdit"), 1e-4);
    EXPECT_NEAR(35386.0 / (2 * 24471.14), value(d, "eccEdit"), 1e-7);
}

TEST_F(OrbitDialogs, EmptyOrSingularInputStaysFinite)
{
    ObEditOrbDialog d;
    d.setParams(OrbEdit{});
    for (QLineEdit* e : d.findChildren<QLineEdit*>()) type(e, "");
    d.refresh();
    type(child<QLineEdit>(d, "eccEdit"), "nonsense");
    type(child<QLineEdit>(d, "n0Edit"), "-5");
    EXPECT_FALSE(messageOf([&] { d.accept(); }).text.isEmpty()) << "the empty epoch is refused";
    OrbEdit out;
    bool newSat = false;
    d.getParams(out, newSat);
    for (double v : {out.sma, out.mm, out.ecc, out.ndot, out.adot}) EXPECT_TRUE(std::isfinite(v));
    d.setState(60000.0, Vec3(), Vec3());
    d.getParams(out, newSat);
    EXPECT_TRUE(std::isfinite(out.incl));
}

TEST_F(OrbitDialogs, StateVectorRoundTrips)
{
    // Elements -> state -> elements through the editor.
    const OrbitElements el{7200, 0.02, 63.4, 120, 270, 45};
    Vec3 r, v;
    ElementsToState(el, r, v);
    ObEditOrbDialog d;
    OrbEdit e = issLike();
    e.sgp4 = false;
    d.setParams(e);
    d.setState(60400.5, r, v);
    EXPECT_NEAR(7200.0, value(d, "aEdit"), 1e-4);
    EXPECT_NEAR(270.0, value(d, "aperEdit"), 1e-4);
    const double mjd = 60400.5;
    double c[6] = {r[0], r[1], r[2], v[0], v[1], v[2]};
    for (auto [from, to] : {std::pair{kFrameMeanOfDate, kFrameEarthFixed}, {kFrameEarthFixed, kFrameJ2000},
                            {kFrameJ2000, kFrameTrueOfDate}, {kFrameTrueOfDate, kFrameMeanOfDate}})
        vsRefState(from, to, mjd, c[0], c[1], c[2], c[3], c[4], c[5]);
    for (unsigned k = 0; k < 3; ++k) {
        EXPECT_NEAR(r[k], c[k], 1e-7);
        EXPECT_NEAR(v[k], c[k + 3], 1e-10);
    }
    double g[6] = {42164.0, 0, 0, 0, 7.292115e-5 * 42164.0, 0};
    vsRefState(kFrameTrueOfDate, kFrameEarthFixed, mjd, g[0], g[1], g[2], g[3], g[4], g[5]);
    EXPECT_NEAR(0.0, std::hypot(std::hypot(g[3], g[4]), g[5]), 1e-12) << "geostationary at rest Earth-fixed";
    double j[6] = {7000, 0, 0, 0, 7.5, 0};
    vsRefState(kFrameMeanOfDate, kFrameJ2000, mjd, j[0], j[1], j[2], j[3], j[4], j[5]);
    EXPECT_NEAR(24.2 * 50.29 / 3600 * M_PI / 180 * 7000, std::hypot(j[1], j[2]), 1.0) << "precession 50.29\"/year";
    StateVector out{mjd, r, v, kFrameMeanOfDate};
    ObStateDialog sd;
    sd.setParams(out);
    child<QRadioButton>(sd, "j2kButton")->click();
    sd.getParams(out);
    EXPECT_EQ(kFrameJ2000, out.frame);
    EXPECT_NEAR(r[0], out.r[0], 1e-6) << "the state dialog converts only with Reset";
    child<QCheckBox>(sd, "resetBox")->setChecked(true);
    child<QRadioButton>(sd, "efButton")->click();
    child<QRadioButton>(sd, "j2kButton")->click();
    sd.getParams(out);
    for (unsigned k = 0; k < 3; ++k) EXPECT_NEAR(r[k], out.r[k], 1e-6) << "J2000 -> EF -> J2000";
}

TEST_F(OrbitView, EditingStoresElementsAndNewAddsASatellite)
{
    whenModal<ObEditOrbDialog>([](ObEditOrbDialog* d) {
        child<QLineEdit>(*d, "nameEdit")->setText("Test Orbit");
        type(child<QLineEdit>(*d, "n0Edit"), "15");
        child<QLineEdit>(*d, "incEdit")->setText("45");
        d->accept();
    });
    view.vEditOrb();
    ASSERT_EQ(1, indata->nsat) << "editing without a selection creates a satellite";
    EXPECT_NEAR(6945, indata->elsma[0], 5) << "Kepler's third law for 15 rev/day";
    const double r = std::hypot(std::hypot(indata->svpos[0][0], indata->svpos[1][0]), indata->svpos[2][0]);
    EXPECT_NEAR(indata->elsma[0] * 1000, r, 1000) << "the epoch state follows the elements";
    whenModal<ObEditOrbDialog>([](ObEditOrbDialog* d) { child<QPushButton>(*d, "newButton")->click(); });
    view.vEditOrb();
    EXPECT_EQ(2, indata->nsat);
    EXPECT_STREQ("Test Orbit", indata->satname[1]);
}

TEST_F(OrbitView, HyperbolicDeltaVIsReported)
{
    vsResetSatList();
    selectByGlue("ISS");
    dateThen<ObDeltaDialog>([](ObDeltaDialog* d) { child<QLineEdit>(*d, "dvEdit")->setText("5000"); });
    EXPECT_EQ("Delta-V resulted in a hyperbolic orbit", messageOf([&] { view.vDeltaV(); }).text);
    EXPECT_GE(indata->elecc[0], 1.0) << "the open orbit is stored";
    indata->nsat = 0;
    EXPECT_EQ("*** No Satellite Selected ***", messageOf([&] { view.vDeltaV(); }).text);
}

TEST_F(OrbitView, LaunchIntoAnInclinationBelowTheSiteLatitudeHeadsEast)
{
    // A 28-degree orbit launched from 28.5 degrees cannot reach the site's latitude: due east.
    dateThen<ObEditOrbDialog>([](ObEditOrbDialog* edit) {
        acceptWith<ObLaunchDialog>({{"latEdit", "28.5"}});
        child<QLineEdit>(*edit, "incEdit")->setText("28");
        type(child<QLineEdit>(*edit, "aEdit"), "6778.14");
    });
    indata->lsite = 0;
    const Message m = messageOf([&] { view.vLaunch(); });
    EXPECT_TRUE(m.text.startsWith("Launch Azimuth (deg):\n")) << m.text.toStdString();
    EXPECT_NEAR(90.0, indata->lnchazim, 0.5);
    EXPECT_NEAR(90.0, m.text.section('\t', 1).toDouble(), 0.5);
}

TEST_F(OrbitView, OrbitDeterminationOpensTheEditorOnTheNewOrbit)
{
    QString name;
    dateThen<ObOrbDetDialog>([&name](ObOrbDetDialog* d) {
        for (auto [field, number] : {std::pair{"az1Edit", "10"}, {"el1Edit", "40"}, {"az2Edit", "80"},
                                     {"el2Edit", "60"}, {"deltmEdit", "60"}})
            child<QLineEdit>(*d, field)->setText(number);
        whenModal<ObEditOrbDialog>([&name](ObEditOrbDialog* edit) {
            name = text(*edit, "nameEdit");
            edit->reject();
        });
    });
    view.vOrbDet();
    EXPECT_EQ(1, indata->nsat);
    EXPECT_TRUE(name == "New" || name == "No Convergence") << name.toStdString();
    EXPECT_GT(indata->elsma[0], 6478.0);
}
