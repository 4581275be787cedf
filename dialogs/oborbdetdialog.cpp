#include "oborbdetdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/astrometry.h"
#include "dialogfields.h"

namespace {

// Labelled position field named name; the label is set by the coordinate kind.
QLineEdit* positionField(QFormLayout* form, QLabel*& label, const QString& name)
{
    auto* edit = describe(new QLineEdit, name);
    label = new QLabel;
    label->setBuddy(edit);
    form->addRow(label, edit);
    return edit;
}

}  // namespace

ObOrbDetDialog::ObOrbDetDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Orbit Determination"));
    auto* form = new QFormLayout;
    az1Edit = positionField(form, az1Label, "az1Edit");
    el1Edit = positionField(form, el1Label, "el1Edit");
    obs1Box = describe(new QCheckBox(tr("Obs1 as RA/Dec.")), "obs1Box");
    form->addRow(obs1Box);
    az2Edit = positionField(form, az2Label, "az2Edit");
    el2Edit = positionField(form, el2Label, "el2Edit");
    obs2Box = describe(new QCheckBox(tr("Obs2 as RA/Dec.")), "obs2Box");
    form->addRow(obs2Box);
    deltmEdit = addField(form, tr("&Delta Time (sec):"), "deltmEdit",
                         tr("Time from the first to the second observation"));
    matchBox = describe(new QCheckBox(tr("&Match Satellite.")), "matchBox",
                        tr("Search the TLE file for matches afterwards"));
    auto* reverseButton = describe(new QPushButton(tr("&Reverse")), "reverseButton",
                                   tr("Swap the two positions"));
    picButton = describe(new QPushButton(tr("&Picture")), "picButton",
                         tr("Take the last two points marked on the picture"));
    auto* row = okCancelRow(this);
    row->insertWidget(0, picButton);
    row->insertWidget(0, reverseButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(matchBox);
    layout->addLayout(row);
    connect(obs1Box, &QCheckBox::toggled, this, &ObOrbDetDialog::applyRules);
    connect(obs2Box, &QCheckBox::toggled, this, &ObOrbDetDialog::applyRules);
    connect(reverseButton, &QPushButton::clicked, this, &ObOrbDetDialog::reverse);
    connect(picButton, &QPushButton::clicked, this, &ObOrbDetDialog::fromPicture);
}

void ObOrbDetDialog::setParams(double az1, double el1, double az2, double el2, double deltat,
                               bool obs1radec, bool obs2radec, bool match, bool pictureok)
{
    az1Edit->setText(numText(az1));
    el1Edit->setText(numText(el1));
    az2Edit->setText(numText(az2));
    el2Edit->setText(numText(el2));
    deltmEdit->setText(numText(deltat));
    obs1Box->setChecked(obs1radec);
    obs2Box->setChecked(obs2radec);
    matchBox->setChecked(match);
    picButton->setVisible(pictureok);
    picButton->setEnabled(pictureok);
    applyRules();
}

void ObOrbDetDialog::getParams(double& az1, double& el1, double& az2, double& el2,
                               double& deltat, bool& obs1radec, bool& obs2radec,
                               bool& match) const
{
    az1 = fieldDouble(az1Edit);
    el1 = fieldDouble(el1Edit);
    az2 = fieldDouble(az2Edit);
    el2 = fieldDouble(el2Edit);
    deltat = fieldDouble(deltmEdit);
    obs1radec = obs1Box->isChecked();
    obs2radec = obs2Box->isChecked();
    match = matchBox->isChecked();
}

void ObOrbDetDialog::reverse()
{
    const QString a1 = az1Edit->text(), e1 = el1Edit->text();
    az1Edit->setText(az2Edit->text());
    el1Edit->setText(el2Edit->text());
    az2Edit->setText(a1);
    el2Edit->setText(e1);
    const bool r1 = obs1Box->isChecked();
    obs1Box->setChecked(obs2Box->isChecked());
    obs2Box->setChecked(r1);
    applyRules();
}

void ObOrbDetDialog::fromPicture()
{
    double ra1 = 0, dec1 = 0, ra2 = 0, dec2 = 0;
    if (!vsGetPict(ra1, dec1, ra2, dec2)) return;
    az1Edit->setText(numText(ra1));
    el1Edit->setText(numText(dec1));
    az2Edit->setText(numText(ra2));
    el2Edit->setText(numText(dec2));
    obs1Box->setChecked(true);
    obs2Box->setChecked(true);
    applyRules();
}

void ObOrbDetDialog::applyRules()
{
    const bool r1 = obs1Box->isChecked(), r2 = obs2Box->isChecked();
    az1Label->setText(r1 ? tr("R.A.&1 (HH.MMSS):") : tr("Azimuth &1 (deg):"));
    el1Label->setText(r1 ? tr("Dec.1 (DD.MMSS):") : tr("Elevation 1 (deg):"));
    az2Label->setText(r2 ? tr("R.A.&2 (HH.MMSS):") : tr("Azimuth &2 (deg):"));
    el2Label->setText(r2 ? tr("Dec.2 (DD.MMSS):") : tr("Elevation 2 (deg):"));
}
