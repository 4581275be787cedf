#include "obvisdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <initializer_list>

#include "core/iridium.h"
#include "core/occtrans.h"
#include "dialogfields.h"

namespace {

constexpr int kOccRaDec = 3;
// Attitude codes of the reflecting surface: local or inertial.
constexpr int kLocalAttitude = 1;
constexpr int kInertialAttitude = 2;

// Check box named name with its tool tip and What's This text.
QCheckBox* checkBox(const QString& text, const QString& name, const QString& tip,
                    const QString& whatsThis)
{
    return describe(new QCheckBox(text), name, tip, whatsThis);
}

}  // namespace

ObVisDialog::ObVisDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Visibility Settings"));

    auto* limits = new QFormLayout;
    sunelEdit = addField(limits, tr("Ma&x.Sun Elevation (deg):"), "sunelEdit",
                         tr("Maximum Sun elevation."),
                         tr("A pass counts only while the Sun is at or below this elevation at "
                            "the observer; -6 means civil twilight, 90 allows daylight passes."));
    satelEdit = addField(limits, tr("Mi&n.Sat Elevation (deg):"), "satelEdit",
                         tr("Minimum satellite elevation."),
                         tr("A pass starts when the satellite rises above this elevation and "
                            "ends when it sinks below it."));
    epochEdit = addField(limits, tr("&Year of Epoch:"), "epochEdit",
                         tr("Epoch of the sky coordinates."),
                         tr("R.A. and Dec. are referred to the equinox of this year, e.g. "
                            "2000; 0 gives the equinox of date."));
    visBox = checkBox(tr("&Visible Passes Only"), "visBox", tr("Only illuminated satellites."),
                      tr("Only passes in which the satellite is lit by the Sun (or the Moon) "
                         "while the sky is dark enough are listed."));
    moonBox = checkBox(tr("Moon Visi&bility"), "moonBox",
                       tr("Moon instead of the Sun as light source."),
                       tr("The satellite counts as visible when the Moon lights it; the Sun "
                          "elevation limit then applies to the Moon."));
    eclBox = checkBox(tr("Solar Eclipse C&heck"), "eclBox",
                      tr("Check for solar eclipse at satellite position"),
                      tr("The pass search looks for passes in which the satellite sees the "
                         "Sun partly covered by the Moon."));

    occBox = checkBox(tr("Occultation/&Transit"), "occBox",
                      tr("Perform occulation/transit calculations"),
                      tr("The pass search looks for transits of the satellite across the Sun "
                         "or the Moon, or for occultations of a star at a given R.A./Dec."));
    const QString bodyTip = tr("Occultation/Transit body");
    const QString bodyHelp = tr("Body that the satellite passes in front of: the Sun, the Moon "
                                "or the sky position given by R.A. and Dec.");
    occGroup = describe(new QGroupBox(tr("Body")), "occGroup", bodyTip, bodyHelp);
    sunButton = describe(new QRadioButton(tr("&Sun Transit")), "sunButton", bodyTip, bodyHelp);
    moonButton = describe(new QRadioButton(tr("&Moon Transit")), "moonButton", bodyTip, bodyHelp);
    radecButton = describe(new QRadioButton(tr("&R.A./Dec.")), "radecButton", bodyTip, bodyHelp);
    auto* bodies = new QVBoxLayout(occGroup);
    for (QRadioButton* b : {sunButton, moonButton, radecButton})
        bodies->addWidget(b);
    sunButton->setChecked(true);
    smplotBox = checkBox(tr("Sun/Moon &Plot"), "smplotBox", tr("Plot Sun or Moon for transit."),
                         tr("The map page shows the disc of the Sun or the Moon with the "
                            "satellite's path across it."));
    iridBox = checkBox(tr("&Iridium Flares"), "iridBox", tr("Select Iridium Flare calculations"),
                       tr("The pass search looks for flares of the Iridium satellites' main "
                          "mission antennas."));

    flarBox = checkBox(tr("&Flares"), "flarBox", tr("Perform flare calculations."),
                       tr("The pass search looks for reflections of the Sun on a flat or "
                          "cylindrical surface of the satellite."));
    knownBox = checkBox(tr("&Known Surface"), "knownBox", tr("Reflecting surface is known"),
                        tr("The orientation of the reflecting surface is given by yaw and "
                           "pitch; otherwise every orientation is tried."));
    localBox = checkBox(tr("&Local Attitude"), "localBox", tr("Local satellite attitude."),
                        tr("The surface is fixed in the satellite's local orbital frame; "
                           "otherwise it keeps its direction in space (R.A./Dec.)."));
    ystBox = checkBox(tr("Yaw St&eering Mode"), "ystBox", tr("Special local mode."),
                      tr("The satellite turns about its vertical axis to keep its solar panels "
                         "facing the Sun."));
    solfBox = checkBox(tr("Sol&ar Panel Flares"), "solfBox",
                       tr("Check for flares from solar panels."),
                       tr("The reflecting surface is a solar panel turned towards the Sun."));
    cylBox = checkBox(tr("Cylindrical Flares"), "cylBox",
                      tr("Enable check for flares from cylindrical surface."),
                      tr("The reflecting surface is a cylinder whose axis is given by the two "
                         "angles."));
    yawEdit = describe(new QLineEdit, "yawEdit", tr("Yaw of the surface normal or target R.A."),
                       tr("Yaw angle of the surface normal (or of the cylinder axis) in "
                          "degrees, or the R.A. of the target as HH.MMSS."));
    pitchEdit = describe(new QLineEdit, "pitchEdit",
                         tr("Pitch of the surface normal or target Dec."),
                         tr("Pitch angle of the surface normal (or of the cylinder axis) in "
                            "degrees, or the Dec. of the target as DDD.MMSS."));
    yawLabel = new QLabel;
    yawLabel->setBuddy(yawEdit);
    pitchLabel = new QLabel;
    pitchLabel->setBuddy(pitchEdit);
    flrmagBox = checkBox(tr("&Display Flare Magnitude"), "flrmagBox",
                         tr("Enable the display of the flare magnitude."),
                         tr("The information area of the map shows the magnitude of the "
                            "prime satellite's flare."));
    flrmxEdit = describe(new QLineEdit, "flrmxEdit", tr("Maximum magnitude the flare can produce."),
                         tr("Magnitude of the flare when the reflection points exactly at the "
                            "observer."));
    flrmxLabel = new QLabel(tr("Maximum Flare Magnitude:"));
    flrmxLabel->setBuddy(flrmxEdit);

    // Visibility limits on top, then the four calculation modes with the options of the one
    // that is checked.
    auto* light = new QVBoxLayout;
    light->addWidget(visBox);
    light->addWidget(moonBox);
    light->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(limits);
    top->addSpacing(16);
    top->addLayout(light);

    auto* modes = new QGridLayout;
    int column = 0;
    for (QWidget* w : std::initializer_list<QWidget*>{flarBox, occBox, iridBox, eclBox})
        modes->addWidget(w, 0, column++);
    // Only one mode's options show at a time, so they share one column.
    auto* choices = new QVBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{knownBox, localBox, ystBox, solfBox, cylBox,
                                                      flrmagBox, occGroup, smplotBox})
        choices->addWidget(w);
    choices->addStretch();
    auto* angles = new QFormLayout;
    angles->addRow(yawLabel, yawEdit);
    angles->addRow(pitchLabel, pitchEdit);
    angles->addRow(flrmxLabel, flrmxEdit);
    auto* options = new QHBoxLayout;
    options->addLayout(choices);
    options->addSpacing(16);
    options->addLayout(angles);
    options->setAlignment(angles, Qt::AlignTop);
    options->addStretch();

    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(modes);
    layout->addLayout(options);
    layout->addLayout(okCancelRow(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);  // shrinks with the hidden controls

    for (QCheckBox* mode : {flarBox, occBox, iridBox, eclBox})
        connect(mode, &QCheckBox::toggled, this, [this, mode](bool on) {
            if (on)
                exclude(mode);
        });
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
             flarBox, occBox, iridBox, eclBox, sunButton, moonButton, radecButton, knownBox,
             localBox, solfBox, cylBox, flrmagBox})
        connect(b, &QAbstractButton::toggled, this, &ObVisDialog::applyRules);
    applyRules();
}

void ObVisDialog::exclude(QCheckBox* mode)
{
    for (QCheckBox* other : {flarBox, occBox, iridBox, eclBox})
        if (other != mode)
            other->setChecked(false);
}

void ObVisDialog::applyRules()
{
    const bool occ = occBox->isChecked();
    const bool flares = flarBox->isChecked();
    const bool known = knownBox->isChecked();
    const bool local = localBox->isChecked();

    for (QWidget* w : std::initializer_list<QWidget*>{occGroup, sunButton, moonButton, radecButton})
        showControl(w, occ);
    showControl(smplotBox, occ && !radecButton->isChecked());

    showControl(knownBox, flares);
    showControl(localBox, flares);
    showControl(ystBox, flares && local);
    showControl(solfBox, flares && !known && !local);
    showControl(cylBox, flares && !known);
    showControl(flrmagBox, flares && known);
    const bool maxMag = flares && known && flrmagBox->isChecked();
    showControl(flrmxEdit, maxMag);
    showControl(flrmxLabel, maxMag);

    const bool angles =
        (flares && (known || cylBox->isChecked())) || (occ && radecButton->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{yawEdit, yawLabel, pitchEdit, pitchLabel})
        showControl(w, angles);
    const bool skyAngles = occ || !local;
    yawLabel->setText(skyAngles ? tr("R.A.(HH.MMSS):") : tr("Yaw (deg):"));
    pitchLabel->setText(skyAngles ? tr("Dec.(DDD.MMSS):") : tr("Pitch (deg):"));
}

void ObVisDialog::setParams(double maxsun, double minsat, double epoch, double yaw, double pitch,
                            int visonly, int moonvis)
{
    sunelEdit->setText(numText(maxsun));
    satelEdit->setText(numText(minsat));
    epochEdit->setText(numText(epoch));
    yawEdit->setText(numText(yaw));
    pitchEdit->setText(numText(pitch));
    visBox->setChecked(visonly != 0);
    moonBox->setChecked(moonvis != 0);
}

void ObVisDialog::setParam2(int smplot, int occ, int irid, int flare, int known, int yawsteer,
                            bool ecl, bool solpanel, bool flrmag, double flrmax, bool cyl)
{
    {
        // The stored modes are shown as they are, even when more than one is set.
        const QSignalBlocker b1(flarBox), b2(occBox), b3(iridBox), b4(eclBox);
        occBox->setChecked(occ >= kSunTarget);
        flarBox->setChecked(flare != 0);
        iridBox->setChecked(irid == kIridiumMode);
        eclBox->setChecked(ecl);
    }
    (occ == kMoonTarget ? moonButton : occ == kOccRaDec ? radecButton : sunButton)->setChecked(true);
    smplotBox->setChecked(smplot != 0);
    knownBox->setChecked(known > 0);
    localBox->setChecked(known == kLocalAttitude || known == -kLocalAttitude);
    ystBox->setChecked(yawsteer != 0);
    solfBox->setChecked(solpanel);
    cylBox->setChecked(cyl);
    flrmagBox->setChecked(flrmag);
    flrmxEdit->setText(numText(flrmax));
    applyRules();
}

void ObVisDialog::getParams(double& maxsun, double& minsat, double& epoch, double& yaw,
                            double& pitch, int& visonly, int& moonvis) const
{
    maxsun = fieldDouble(sunelEdit);
    minsat = fieldDouble(satelEdit);
    epoch = fieldDouble(epochEdit);
    yaw = fieldDouble(yawEdit);
    pitch = fieldDouble(pitchEdit);
    visonly = visBox->isChecked() ? 1 : 0;
    moonvis = moonBox->isChecked() ? 1 : 0;
}

void ObVisDialog::getParam2(int& smplot, int& occ, int& irid, int& flare, int& known,
                            int& yawsteer, bool& ecl, bool& solpanel, bool& flrmag, double& flrmax,
                            bool& cyl) const
{
    smplot = smplotBox->isChecked() ? 1 : 0;
    occ = !occBox->isChecked()      ? 0
          : moonButton->isChecked() ? kMoonTarget
          : radecButton->isChecked() ? kOccRaDec
                                     : kSunTarget;
    irid = iridBox->isChecked() ? kIridiumMode : 0;
    flare = flarBox->isChecked() ? 1 : 0;
    known = localBox->isChecked() ? kLocalAttitude : kInertialAttitude;
    if (!knownBox->isChecked())
        known = -known;
    yawsteer = ystBox->isChecked() ? 1 : 0;
    ecl = eclBox->isChecked();
    solpanel = solfBox->isChecked();
    flrmag = flrmagBox->isChecked();
    flrmax = fieldDouble(flrmxEdit);
    cyl = cylBox->isChecked() && !solpanel;
}
