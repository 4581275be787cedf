#include "obremsatdialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "app/glue/selectionglue.h"
#include "dialogfields.h"

ObRemSatDialog::ObRemSatDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Remove Satellites"));
    auto* rows = new QGridLayout;
    for (int i = 0; i < kMaxSat; ++i) {
        boxes[i] = new QCheckBox(rowKey(i));
        boxes[i]->setObjectName(QString("box%1").arg(i));
        names[i] = new QLineEdit;
        names[i]->setObjectName(QString("name%1").arg(i));
        names[i]->setReadOnly(true);
        names[i]->setFocusPolicy(Qt::NoFocus);
        names[i]->setMinimumWidth(220);
        rows->addWidget(boxes[i], i, 0);
        rows->addWidget(names[i], i, 1);
    }

    auto* all = describe(new QPushButton(tr("Delete &All")), "allButton", QString(),
                         tr("Marks every satellite of the list for removal."));
    connect(all, &QPushButton::clicked, this, &ObRemSatDialog::alldlt);
    auto* buttons = okCancelRow(this);
    buttons->insertWidget(0, all);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Mark satellites for removal:")));
    layout->addLayout(rows);
    layout->addLayout(buttons);
}

void ObRemSatDialog::setParams(int n)
{
    nboxes = std::clamp(n, 0, kMaxSat);
    for (int i = 0; i < kMaxSat; ++i) {
        const bool used = i < nboxes;
        names[i]->setText(used ? vsSatName(i + 1) : QString());
        boxes[i]->setEnabled(used);
        boxes[i]->setVisible(used);
        names[i]->setEnabled(used);
        names[i]->setVisible(used);
    }
}

void ObRemSatDialog::getParams(bool flags[kMaxSat]) const
{
    for (int i = 0; i < kMaxSat; ++i)
        flags[i] = boxes[i]->isChecked();
}

void ObRemSatDialog::alldlt()
{
    for (int i = 0; i < nboxes; ++i)
        boxes[i]->setChecked(true);
}
