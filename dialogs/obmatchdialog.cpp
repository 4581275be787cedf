#include "obmatchdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogfields.h"

ObMatchDialog::ObMatchDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Find Matching Satellites"));
    auto* form = new QFormLayout;
    azEdit = describe(new QLineEdit, "azEdit", tr("Center position"));
    elEdit = describe(new QLineEdit, "elEdit", tr("Center position"));
    azLabel = new QLabel;
    azLabel->setBuddy(azEdit);
    elLabel = new QLabel;
    elLabel->setBuddy(elEdit);
    form->addRow(azLabel, azEdit);
    form->addRow(elLabel, elEdit);
    mxaEdit = addField(form, tr("&Max.Distance (deg):"), "mxaEdit", tr("Angular distance"));
    draEdit = addField(form, tr("&Direction (deg):"), "draEdit",
                       tr("Direction of movement: 90 right, -90 left, 0 up"));
    tmEdit = addField(form, tr("&Time Interval (min):"), "tmEdit",
                      tr("Search interval, plus and minus, about the set time"));
    raBox = describe(new QCheckBox(tr("&Position as R.A./Dec.")), "raBox",
                     tr("The centre is given as R.A./Dec."));
    drfBox = describe(new QCheckBox(tr("Direction &Search")), "drfBox",
                      tr("Accept satellites moving within 45 degrees of the direction"));
    visBox = describe(new QCheckBox(tr("&Brighter Objects Only")), "visBox",
                      tr("Ignore designators ending with F or a later letter (mostly fragments)"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(raBox);
    layout->addWidget(drfBox);
    layout->addWidget(visBox);
    layout->addLayout(okCancelRow(this));
    connect(raBox, &QCheckBox::toggled, this, &ObMatchDialog::applyRules);
    connect(drfBox, &QCheckBox::toggled, this, &ObMatchDialog::applyRules);
}

void ObMatchDialog::setParams(double azra, double eldec, double maxdist, double direction,
                              double interval, bool radec, bool dirsearch, bool brightonly)
{
    azEdit->setText(numText(azra));
    elEdit->setText(numText(eldec));
    mxaEdit->setText(numText(maxdist));
    draEdit->setText(numText(direction));
    tmEdit->setText(numText(interval));
    raBox->setChecked(radec);
    drfBox->setChecked(dirsearch);
    visBox->setChecked(brightonly);
    applyRules();
}

void ObMatchDialog::getParams(double& azra, double& eldec, double& maxdist, double& direction,
                              double& interval, bool& radec, bool& dirsearch,
                              bool& brightonly) const
{
    azra = fieldDouble(azEdit);
    eldec = fieldDouble(elEdit);
    maxdist = fieldDouble(mxaEdit);
    direction = fieldDouble(draEdit);
    interval = fieldDouble(tmEdit);
    radec = raBox->isChecked();
    dirsearch = drfBox->isChecked();
    brightonly = visBox->isChecked();
}

void ObMatchDialog::applyRules()
{
    const bool radec = raBox->isChecked();
    azLabel->setText(radec ? tr("R.&A. (HH.MMSS):") : tr("&Azimuth (deg):"));
    elLabel->setText(radec ? tr("D&ec. (DD.MMSS):") : tr("&Elevation (deg):"));
    enableField(draEdit, drfBox->isChecked());
}
