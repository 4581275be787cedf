#include "obadjdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogfields.h"

ObAdjDialog::ObAdjDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Adjust Orbit Elements"));
    actBox = describe(new QCheckBox(tr("&Activate Adjustment")), "actBox",
                      tr("Adjust elements read from TLE files from now on"),
                      tr("Elements read from TLE files from now on are adjusted; the satellites "
                         "already selected are not affected."));
    auto* form = new QFormLayout;
    n0Edit = addField(form, tr("Set &Mean Motion (n0):"), "n0Edit",
                      tr("Mean motion of newly read elements, 0 = unchanged"));
    dtEdit = addField(form, tr("Adjust &Epoch (sec):"), "dtEdit", tr("Shift of the epoch"));
    raEdit = addField(form, tr("Adjust &R.A.(deg):"), "raEdit", tr("Shift of the node"));
    sdp4Box = describe(new QCheckBox(tr("Use SDP&4  model for long period orbits.")), "sdp4Box",
                       tr("Orbits with periods above 225 minutes use SDP4"));
    wgsBox = describe(new QCheckBox(tr("Use &WGS84 constants for SGP4 model.")), "wgsBox",
                      tr("Otherwise the WGS-72 constants"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(actBox);
    layout->addLayout(form);
    layout->addWidget(sdp4Box);
    layout->addWidget(wgsBox);
    layout->addLayout(okCancelRow(this));
}

void ObAdjDialog::setParams(bool activate, bool sdp4, double n0, double dt, double dnode,
                            bool wgs84)
{
    actBox->setChecked(activate);
    sdp4Box->setChecked(sdp4);
    n0Edit->setText(numText(n0));
    dtEdit->setText(numText(dt));
    raEdit->setText(numText(dnode));
    wgsBox->setChecked(wgs84);
}

void ObAdjDialog::getParams(bool& activate, bool& sdp4, double& n0, double& dt, double& dnode,
                            bool& wgs84) const
{
    activate = actBox->isChecked();
    sdp4 = sdp4Box->isChecked();
    n0 = fieldDouble(n0Edit);
    dt = fieldDouble(dtEdit);
    dnode = fieldDouble(raEdit);
    wgs84 = wgsBox->isChecked();
}
