// The view's orbit commands driven through their dialogs: element editing of a new and of a
// selected satellite, a hyperbolic delta-V, the launch azimuth and the orbit determination.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/glue/selectionglue.h"
#include "core/records.h"
#include "core/tlefile.h"
#include "gui_helpers.h"
#include "obdatedialog.h"
#include "obdeltadialog.h"
#include "obeditorbdialog.h"
#include "oblaunchdialog.h"
#include "oborbdetdialog.h"
#include "orbikaview.h"

namespace {

// Text and title of the next message box, which is then closed.
struct Message {
    QString title, text;
};
void captureMessage(Message& m)
{
    whenMessage([&m](QMessageBox* box) {
        m.title = box->windowTitle();
        m.text = box->text();
    });
}

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
class OrbitView : public ::testing::Test {
protected:
    void SetUp() override
    {
        view = std::make_unique<OrbikaView>(nullptr);
        std::snprintf(indata->tlefile, sizeof indata->tlefile, "%s",
                      ORBIKA_DATA_DIR "/tle/visual.txt");
        indata->nsat = indata->prime = 0;
        indata->rdvsel = -1;
    }

    // Selects the ISS through the selection glue.
    static void selectIss()
    {
        ElementReader reader(indata->tlefile);
        ASSERT_TRUE(reader.isOpen());
        satfle = &reader;
        vsResetSatList();
        QString key = "ISS";
        int n = 0;
        vsFindSat(key, n, 0, 0, 0);
        satfle = nullptr;
        ASSERT_NE(0, n);
        vsSatSel();
        ASSERT_EQ(1, indata->nsat);
    }

    const ProgramDir dir;
    std::unique_ptr<OrbikaView> view;
};

}  // namespace

TEST_F(OrbitView, EditingStoresElementsAndNewAddsASatellite)
{
    whenModal<ObEditOrbDialog>([](ObEditOrbDialog* d) {
        d->findChild<QLineEdit*>("nameEdit")->setText("Test Orbit");
        QLineEdit* n0 = d->findChild<QLineEdit*>("n0Edit");
        n0->setText("15");
        emit n0->textEdited("15");
        d->findChild<QLineEdit*>("incEdit")->setText("45");
        d->accept();
    });
    view->vEditOrb();
    ASSERT_EQ(1, indata->nsat) << "editing without a selection creates a satellite";
    EXPECT_STREQ("Test Orbit", indata->satname[0]);
    EXPECT_DOUBLE_EQ(15.0, indata->elmm[0]);
    EXPECT_NEAR(6945, indata->elsma[0], 5) << "Kepler's third law for 15 rev/day";
    const double r = std::sqrt(indata->svpos[0][0] * indata->svpos[0][0] +
                               indata->svpos[1][0] * indata->svpos[1][0] +
                               indata->svpos[2][0] * indata->svpos[2][0]);
    EXPECT_NEAR(indata->elsma[0] * 1000, r, 1000) << "the epoch state follows the elements";
    EXPECT_DOUBLE_EQ(indata->f107, indata->scf107[0]) << "default spacecraft values";

    whenModal<ObEditOrbDialog>([](ObEditOrbDialog* d) { d->findChild<QPushButton*>("newButton")->click(); });
    view->vEditOrb();
    EXPECT_EQ(2, indata->nsat);
    EXPECT_EQ(1, indata->prime);
    EXPECT_STREQ("Test Orbit", indata->satname[1]);
}

TEST_F(OrbitView, HyperbolicDeltaVIsReported)
{
    selectIss();
    const double epoch = indata->elepoch[0];
    Message m;
    dateThen<ObDeltaDialog>([&m](ObDeltaDialog* d) {
        d->findChild<QLineEdit*>("dvEdit")->setText("5000");
        captureMessage(m);
    });
    view->vDeltaV();
    EXPECT_EQ("Delta-V resulted in a hyperbolic orbit", m.text);
    EXPECT_GE(indata->elecc[0], 1.0);
    EXPECT_EQ(0, indata->sgp4flg[0]);
    EXPECT_GT(indata->elmm[0], 6378.0) << "perigee distance";
    EXPECT_NE(epoch, indata->elepoch[0]);

    indata->nsat = 0;
    captureMessage(m);
    view->vDeltaV();
    EXPECT_EQ("*** No Satellite Selected ***", m.text);
}

TEST_F(OrbitView, LaunchIntoAnInclinationBelowTheSiteLatitudeHeadsEast)
{
    Message m;
    // Date, target orbit (28 degrees, circular 400 km), then a site at 28.5 degrees: the orbit's
    // northernmost point lies south of the site, so the launch heads due east.
    whenModal<ObDateDialog>([&m](ObDateDialog* date) {
        whenModal<ObEditOrbDialog>([&m](ObEditOrbDialog* edit) {
            whenModal<ObLaunchDialog>([&m](ObLaunchDialog* launch) {
                launch->findChild<QLineEdit*>("latEdit")->setText("28.5");
                captureMessage(m);
                launch->accept();
            });
            edit->findChild<QLineEdit*>("incEdit")->setText("28");
            QLineEdit* a = edit->findChild<QLineEdit*>("aEdit");
            a->setText("6778.14");
            emit a->textEdited("6778.14");
            edit->accept();
        });
        date->accept();
    });
    indata->lsite = 0;
    indata->rdvsel = -1;
    view->vLaunch();
    EXPECT_EQ("Launch Orbit", m.title);
    EXPECT_TRUE(m.text.startsWith("Launch Azimuth (deg):\n")) << m.text.toStdString();
    EXPECT_NEAR(90.0, indata->lnchazim, 0.5);
    EXPECT_NEAR(90.0, m.text.section('\t', 1).toDouble(), 0.5);
}

TEST_F(OrbitView, OrbitDeterminationOpensTheEditorOnTheNewOrbit)
{
    QString name;
    dateThen<ObOrbDetDialog>([&name](ObOrbDetDialog* d) {
        d->findChild<QLineEdit*>("az1Edit")->setText("10");
        d->findChild<QLineEdit*>("el1Edit")->setText("40");
        d->findChild<QLineEdit*>("az2Edit")->setText("80");
        d->findChild<QLineEdit*>("el2Edit")->setText("60");
        d->findChild<QLineEdit*>("deltmEdit")->setText("60");
        whenModal<ObEditOrbDialog>([&name](ObEditOrbDialog* edit) {
            name = edit->findChild<QLineEdit*>("nameEdit")->text();
            edit->reject();
        });
    });
    view->vOrbDet();
    EXPECT_EQ(1, indata->nsat);
    EXPECT_TRUE(name == "New" || name == "No Convergence") << name.toStdString();
    EXPECT_GT(indata->elsma[0], 6478.0);
}
