#include "obswitchdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/glue/selectionglue.h"
#include "dialogfields.h"

ObSwitchDialog::ObSwitchDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Select Prime Satellite"));
    auto* box = new QGroupBox(tr("selected satellites:"));
    auto* column = new QVBoxLayout(box);
    group = new QButtonGroup(this);
    for (int i = 0; i < kMaxSat; ++i) {
        buttons[i] = new QRadioButton(rowKey(i));
        buttons[i]->setObjectName(QString("button%1").arg(i));
        group->addButton(buttons[i], i);
        column->addWidget(buttons[i]);
    }

    relBox = describe(new QCheckBox(tr("&Relative Satellite Mode")), "relBox",
                      tr("Show relative satellite positions"),
                      tr("The position of the prime satellite relative to the satellite that "
                         "follows it in the list is shown and used in the AOS calculations."));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addWidget(relBox);
    layout->addLayout(closeRow(this, tr("&Close"), "closeButton"));
}

void ObSwitchDialog::setParams(int prime, int relmode, int nsat)
{
    relBox->setChecked(relmode == 1);
    for (int i = 0; i < kMaxSat; ++i) {
        const bool used = i < nsat;
        buttons[i]->setText(used ? rowKey(i) + "  " + vsSatName(i + 1) : rowKey(i));
        buttons[i]->setEnabled(used);
    }
    if (prime >= 0 && prime < kMaxSat)
        buttons[prime]->setChecked(true);
}

void ObSwitchDialog::getParams(int& prime, int& relmode) const
{
    prime = std::max(group->checkedId(), 0);
    relmode = relBox->isChecked() ? 1 : 0;
}
