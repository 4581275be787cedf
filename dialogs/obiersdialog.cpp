#include "obiersdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogfields.h"

ObIersDialog::ObIersDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("IERS Parameters"));
    ckDefault = describe(new QCheckBox(tr("Use &Defaults.")), "ckDefault", QString(),
                         tr("Uses the built-in leap second table and zero values for UT1 - UTC "
                            "and the pole coordinates."));
    auto* times = new QFormLayout;
    taiEdit = addField(times, tr("UTC - T&AI (sec):"), "taiEdit", tr("Difference UTC - TAI"),
                       tr("UTC - TAI in whole seconds (minus the number of leap seconds)."));
    ut1Edit = addField(times, tr("UT&1 - UTC (sec):"), "ut1Edit", tr("Difference UT1 and UTC."),
                       tr("UT1 - UTC in seconds, as published by the IERS."));
    poleLabel = new QLabel(tr("IERS Reference Pole Coordinates:"));
    poleLabel->setObjectName("poleLabel");
    poleLabel->setWhatsThis(tr("The x and y coordinates of the pole as published in Bulletin B "
                               "of the International Earth Rotation Service."));
    auto* pole = new QFormLayout;
    xEdit = addField(pole, tr("&x (arcsec):"), "xEdit");
    yEdit = addField(pole, tr("&y (arcsec):"), "yEdit");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ckDefault);
    layout->addLayout(times);
    layout->addWidget(poleLabel);
    layout->addLayout(pole);
    layout->addLayout(okCancelRow(this));
    connect(ckDefault, &QCheckBox::toggled, this, &ObIersDialog::refreshSlot);
}

void ObIersDialog::setParams(bool iersflg, double polex, double poley, int utctai, double ut1utc)
{
    xEdit->setText(numText(polex));
    yEdit->setText(numText(poley));
    taiEdit->setText(QString::number(utctai));
    ut1Edit->setText(numText(ut1utc));
    ckDefault->setChecked(!iersflg);
    refreshSlot();
}

void ObIersDialog::getParams(bool& iersflg, double& polex, double& poley, int& utctai,
                             double& ut1utc) const
{
    polex = fieldDouble(xEdit);
    poley = fieldDouble(yEdit);
    utctai = fieldInt(taiEdit);
    ut1utc = fieldDouble(ut1Edit);
    iersflg = !ckDefault->isChecked();
}

void ObIersDialog::refreshSlot()
{
    const bool own = !ckDefault->isChecked();
    poleLabel->setEnabled(own);
    for (QLineEdit* e : {taiEdit, ut1Edit, xEdit, yEdit})
        enableField(e, own);
}
