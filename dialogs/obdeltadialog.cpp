#include "obdeltadialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogfields.h"

ObDeltaDialog::ObDeltaDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Delta-V Maneuver"));
    auto* form = new QFormLayout;
    dvEdit = describe(new QLineEdit, "dvEdit", tr("Velocity change or thrust acceleration"));
    dvLabel = new QLabel(tr("&Delta-V (m/sec):"));
    dvLabel->setBuddy(dvEdit);
    form->addRow(dvLabel, dvEdit);
    yawEdit = addField(form, tr("&Yaw (deg.):"), "yawEdit", tr("Positive to the right"));
    pitchEdit = addField(form, tr("&Pitch (deg.):"), "pitchEdit", tr("Positive up"));
    thrBox = describe(new QCheckBox(tr("Continuous &Thrust ")), "thrBox",
                      tr("Thrust during the numerical propagation"));
    sunBox = describe(new QCheckBox(tr("&Sunshine required")), "sunBox",
                      tr("Thrust only while the spacecraft is sunlit"));
    updBox = describe(new QCheckBox(tr("&Update Epoch State")), "updBox",
                      tr("Keep the thrust's effect in the epoch state vector"));
    auto* exec = describe(new QPushButton(tr("&Execute")), "okButton");
    exec->setDefault(true);
    auto* cancel = describe(new QPushButton(tr("&Cancel")), "cancelButton");
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(exec);
    row->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(thrBox);
    layout->addWidget(sunBox);
    layout->addWidget(updBox);
    layout->addLayout(row);
    connect(exec, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(thrBox, &QCheckBox::toggled, this, &ObDeltaDialog::applyRules);
}

void ObDeltaDialog::setParams(double dv, double yaw, double pitch, bool continuous,
                              bool sunshine, int numeric_, bool update)
{
    numeric = numeric_ != 0;
    dvEdit->setText(numText(dv));
    yawEdit->setText(numText(yaw));
    pitchEdit->setText(numText(pitch));
    thrBox->setChecked(continuous && numeric);
    sunBox->setChecked(sunshine);
    updBox->setChecked(update);
    applyRules();
}

void ObDeltaDialog::getParams(double& dv, double& yaw, double& pitch, bool& continuous,
                              bool& sunshine, bool& update) const
{
    dv = fieldDouble(dvEdit);
    yaw = fieldDouble(yawEdit);
    pitch = fieldDouble(pitchEdit);
    continuous = thrBox->isChecked();
    sunshine = sunBox->isChecked();
    update = updBox->isChecked();
}

void ObDeltaDialog::applyRules()
{
    const bool thrust = numeric && thrBox->isChecked();
    thrBox->setEnabled(numeric);
    sunBox->setEnabled(thrust);
    updBox->setEnabled(thrust);
    dvLabel->setText(thrust ? tr("&Acceleration (mm/s^2):") : tr("&Delta-V (m/sec):"));
}
