#include "obstepdialog.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogfields.h"

ObStepDialog::ObStepDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Time Step"));
    auto* form = new QFormLayout;
    minEdit = addField(form, tr("&Minutes:"), "minEdit", QString(),
                       tr("Whole minutes of the time step of pass details, tracks and plots."));
    secEdit = addField(form, tr("&Seconds:"), "secEdit", QString(),
                       tr("Seconds added to the minutes of the time step; fractions are "
                          "allowed."));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(okCancelRow(this));
}

void ObStepDialog::setParams(int minutes, double seconds)
{
    minEdit->setText(QString::number(minutes));
    secEdit->setText(numText(seconds));
}

void ObStepDialog::getParams(int& minutes, double& seconds) const
{
    minutes = fieldInt(minEdit);
    seconds = fieldDouble(secEdit);
}
