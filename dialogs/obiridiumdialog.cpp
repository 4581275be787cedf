#include "obiridiumdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogfields.h"

ObIridiumDialog::ObIridiumDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Iridium Flares"));
    auto* form = new QFormLayout;
    magEdit = addField(form, tr("&Minimum Magnitude:"), "magEdit",
                       tr("Faintest flare magnitude listed."),
                       tr("Only flares at least as bright as this magnitude are listed; -8 keeps "
                          "the brightest flares only. Values above 29 are refused."));
    opsBox = describe(new QCheckBox(tr("O&perational Orbits Only")), "opsBox",
                      tr("Skip satellites outside the operational orbits."),
                      tr("Satellites whose orbits lie outside the band of the operational "
                         "constellation (spares, decaying satellites) are not searched."));
    solpBox = describe(new QCheckBox(tr("Include &Solar Panel Flares")), "solpBox",
                       tr("Search flares of the solar panels too."),
                       tr("Every satellite is searched a second time for flares of its solar "
                          "panels, which are fainter and last longer than those of the "
                          "antennas."));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(opsBox);
    layout->addWidget(solpBox);
    layout->addLayout(okCancelRow(this));
}

void ObIridiumDialog::setParams(double minmag, bool opsonly, bool solpanel)
{
    magEdit->setText(numText(minmag));
    opsBox->setChecked(opsonly);
    solpBox->setChecked(solpanel);
}

void ObIridiumDialog::getParams(double& minmag, bool& opsonly, bool& solpanel) const
{
    minmag = fieldDouble(magEdit);
    opsonly = opsBox->isChecked();
    solpanel = solpBox->isChecked();
}
