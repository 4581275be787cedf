#include "obquickdialog.h"

#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#include "dialogfields.h"

namespace {

// Help line that sends the following text to the top of the window.
const QString kTopMarker = QStringLiteral("$$$");

}  // namespace

ObQuickDialog::ObQuickDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Quick Help"));
    textEdit1 = readOnlyText(this, "textEdit1", false);
    textEdit1->setLineWrapMode(QTextEdit::WidgetWidth);
    textEdit1->setMinimumSize(560, 480);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textEdit1);
    layout->addLayout(closeRow(this, tr("&OK"), "okButton"));
}

void ObQuickDialog::setHelpLine(const QString& line)
{
    QTextCursor cursor = textEdit1->textCursor();
    if (line == kTopMarker)
        cursor.movePosition(QTextCursor::Start);
    else
        cursor.insertText(line);
    textEdit1->setTextCursor(cursor);
}
