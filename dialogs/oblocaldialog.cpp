#include "oblocaldialog.h"

#include <QTextEdit>
#include <QVBoxLayout>

#include "dialogfields.h"

ObLocalDialog::ObLocalDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Local Details"));
    textEdit = readOnlyText(this, "textEdit", false);
    textEdit->setMinimumSize(480, 360);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textEdit);
    layout->addLayout(closeRow(this, tr("&Close"), "closeButton"));
}

void ObLocalDialog::setParams(const QString& text, int fontsize)
{
    showText(textEdit, text, fontsize);
    textEdit->setFocus();
}
