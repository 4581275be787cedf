#include "obpassdialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/glue/passglue.h"
#include "dialogfields.h"

namespace {

// Most detail lines shown for one pass.
constexpr int kMaxDetailLines = 6250;

}  // namespace

ObPassDialog::ObPassDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Pass Details"));
    passEdit = readOnlyText(this, "passEdit", true);
    passEdit->setMinimumSize(640, 420);
    closeButton = describe(new QPushButton(tr("&Close")), "closeButton");
    saveButton = describe(new QPushButton(tr("&Save")), "saveButton",
                          tr("Saves the Pass Details information on the Orbika Save-File."),
                          tr("Appends the details of this pass, with plain numbers, and its "
                             "orbit pole to the save file."));
    gtrackButton = describe(new QPushButton(tr("&G-Track")), "gtrackButton",
                            tr("Copy groundtrack on save file."),
                            tr("Appends the ground track of this pass (time, latitude and "
                               "longitude) to the save file."));
    closeButton->setDefault(true);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(saveButton, &QPushButton::clicked, this, &ObPassDialog::saveSlot);
    connect(gtrackButton, &QPushButton::clicked, this, &ObPassDialog::gtrackSlot);

    auto* row = new QHBoxLayout;
    row->addWidget(saveButton);
    row->addWidget(gtrackButton);
    row->addStretch();
    row->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(passEdit);
    layout->addLayout(row);
}

void ObPassDialog::setParams(int fontsize)
{
    QString text;
    QString line;
    double t = 0.0;
    for (int n = 0; n < kMaxDetailLines; ++n) {
        line.clear();
        const int more = vsGetPassDTxt(t, line, false);
        text += line;
        if (!more)
            break;
    }
    line.clear();
    vsGetPassDTxt(t, line, true);
    if (!line.isEmpty())
        text += '\n' + line;  // the pole closes the list on lines of its own
    showText(passEdit, text, fontsize);
    closeButton->setFocus();
}

void ObPassDialog::saveSlot() { vsSavePassDt(1); }

void ObPassDialog::gtrackSlot() { vsSavePassDt(2); }
