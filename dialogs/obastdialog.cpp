#include "obastdialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogfields.h"

ObAstDialog::ObAstDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Astrometry"));
    auto* form = new QFormLayout;
    raEdit = addField(form, tr("&R.A. (HH.MMSS)"), "raEdit", tr("Right ascension of the star"),
                      tr("Right ascension of the clicked reference star as hours, minutes and "
                         "seconds (HH.MMSS)."));
    decEdit = addField(form, tr("&Dec. (DDD.MMSS)"), "decEdit", tr("Declination of the star"),
                       tr("Declination of the clicked reference star as degrees, minutes and "
                          "seconds (DDD.MMSS), negative south of the equator."));
    auto* buttons = okCancelRow(this);
    auto* abortButton = describe(new QPushButton(tr("&Abort")), "abortButton",
                                 tr("Stop the calibration"),
                                 tr("Forgets the reference stars entered so far; the next click "
                                    "on the picture asks for the first star again."));
    connect(abortButton, &QPushButton::clicked, this, [this] {
        abortFlag = true;
        reject();
    });
    buttons->addWidget(abortButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Enter Star Coordinates:")));
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void ObAstDialog::setParams(double ra, double dec)
{
    if (ra == 0.0 && dec == 0.0)
        return;
    raEdit->setText(numText(ra));
    decEdit->setText(numText(dec));
    raEdit->selectAll();
}

void ObAstDialog::getParams(double& ra, double& dec, bool& aborted) const
{
    ra = fieldDouble(raEdit);
    dec = fieldDouble(decEdit);
    aborted = abortFlag;
}
