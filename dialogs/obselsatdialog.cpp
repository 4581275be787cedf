#include "obselsatdialog.h"

#include <QCheckBox>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/glue/selectionglue.h"
#include "dialogfields.h"

namespace {

// Tab stop of the description area, in character widths.
constexpr int kDescriptionTab = 9;

}  // namespace

ObSelSatDialog::ObSelSatDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Select Satellite"));

    satinfEdit = readOnlyText(this, "satinfEdit", true);
    // The labels of an entry's description end in one or two tabs; stops of nine characters
    // line up all their colons.
    satinfEdit->setTabStopDistance(kDescriptionTab *
                                   QFontMetricsF(satinfEdit->font()).horizontalAdvance('0'));
    satinfEdit->setMinimumSize(380, 300);

    closeButton = describe(new QPushButton(tr("&Close")), "closeButton");
    newButton =
        describe(new QPushButton(tr("Ne&w Set")), "newButton", tr("Start a new satellite list."),
                 tr("Deletes all selected satellites and starts a new list."));
    findButton = describe(new QPushButton(tr("&Find")), "findButton", tr("Start the search."),
                          tr("Searches the TLE file from its start for the satellites whose "
                             "names begin with the given name (or for the given NORAD number "
                             "or international launch designator)."));
    moreButton = describe(new QPushButton(tr("&More")), "moreButton", tr("More matches found."),
                          tr("Further satellites match the search: shows the next one."));
    selectButton =
        describe(new QPushButton(tr("&Select")), "selectButton", tr("Add satellite to list."),
                 tr("Adds the satellite shown to the list of selected satellites "
                    "(at most 10; with 10 selected the last one is replaced)."));
    findButton->setDefault(true);

    satnameEdit = describe(new QLineEdit, "satnameEdit", QString(),
                           tr("Enter the complete name of the satellite or its beginning. "
                              "'*' goes through all satellites of the file."));
    nameLabel = new QLabel(tr("Satellite &Name:"));
    nameLabel->setObjectName("nameLabel");
    nameLabel->setBuddy(satnameEdit);

    noradEdit = describe(new QLineEdit, "noradEdit", QString(),
                         tr("Enter the NORAD catalogue number to search by number instead "
                            "of by name."));
    auto* noradLabel = new QLabel(tr("NORA&D#:"));
    noradLabel->setBuddy(noradEdit);

    noradBox = describe(new QCheckBox(tr("Select NO&RAD#")), "noradBox", QString(),
                        tr("The TLEs are identified by their NORAD catalogue number."));
    idsnBox = describe(new QCheckBox(tr("Select Int.&Launch #")), "idsnBox", QString(),
                       tr("The TLEs are identified by their international launch designator, "
                          "which must be entered fully (e.g. 1998-067A); '*' selects all."));
    lowBox = describe(new QCheckBox(tr("L&ow Orbits Only")), "lowBox",
                      tr("Only orbits < 250 km are considered."),
                      tr("Only satellites in low, decaying orbits with recent elements are "
                         "considered."));
    recentBox = describe(new QCheckBox(tr("R&ecent Launches")), "recentBox",
                         tr("Only Satellites with < 100 revolutions are considered."),
                         tr("Only satellites launched recently (fewer than 100 revolutions at "
                            "epoch) are considered."));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {findButton, moreButton, selectButton, newButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(closeButton);

    auto* top = new QHBoxLayout;
    top->addWidget(satinfEdit, 1);
    top->addLayout(buttons);

    auto* keys = new QGridLayout;
    keys->addWidget(nameLabel, 0, 0);
    keys->addWidget(satnameEdit, 0, 1);
    keys->addWidget(idsnBox, 0, 2);
    keys->addWidget(noradLabel, 1, 0);
    keys->addWidget(noradEdit, 1, 1);
    keys->addWidget(noradBox, 1, 2);
    keys->addWidget(lowBox, 2, 1);
    keys->addWidget(recentBox, 2, 2);

    auto* all = new QVBoxLayout(this);
    all->addLayout(top);
    all->addLayout(keys);

    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(newButton, &QPushButton::clicked, this, &ObSelSatDialog::newsSlot);
    connect(findButton, &QPushButton::clicked, this, &ObSelSatDialog::findSlot);
    connect(moreButton, &QPushButton::clicked, this, &ObSelSatDialog::moreSlot);
    connect(selectButton, &QPushButton::clicked, this, &ObSelSatDialog::selectSlot);
    connect(noradBox, &QCheckBox::toggled, this, &ObSelSatDialog::noradSlot);
    connect(idsnBox, &QCheckBox::toggled, this, &ObSelSatDialog::idsnSlot);
    connect(lowBox, &QCheckBox::toggled, this, &ObSelSatDialog::lowSlot);
    connect(recentBox, &QCheckBox::toggled, this, &ObSelSatDialog::lowSlot);
}

void ObSelSatDialog::setParams()
{
    QString key;
    int kind = 0, n = 0, nsat = 0, low = 0, recent = 0;
    vsLastSat(key, kind, n, nsat, low, recent);
    satnameEdit->setText(key);
    satnameEdit->setFocus();
    noradEdit->setText(QString::number(n));
    {
        // The boxes take their stored state without running their reactions one by one.
        const QSignalBlocker b1(noradBox), b2(idsnBox), b3(lowBox), b4(recentBox);
        noradBox->setChecked(kind == 1);
        idsnBox->setChecked(kind == 2);
        lowBox->setChecked(low != 0);
        recentBox->setChecked(recent != 0);
    }
    showButton(newButton, nsat > 0);
    showButton(moreButton, false);
    showButton(selectButton, false);
    if (kind == 2)
        idsnSlot();
    noradSlot();
    dSatList();
}

void ObSelSatDialog::dSatInfo(const QString& text)
{
    QString key;
    int kind = 0, n = 0, nsat = 0, low = 0, recent = 0;
    vsLastSat(key, kind, n, nsat, low, recent);
    satnameEdit->setText(key);
    noradEdit->setText(QString::number(n));
    satinfEdit->clear();
    satinfEdit->insertPlainText(text);
    satinfEdit->moveCursor(QTextCursor::Start);
}

void ObSelSatDialog::dSatList() { satinfEdit->setPlainText(vsSatList()); }

void ObSelSatDialog::findSlot() { search(false); }

void ObSelSatDialog::moreSlot() { search(true); }

void ObSelSatDialog::search(bool more)
{
    int n = fieldInt(noradEdit);
    QString key = satnameEdit->text();
    const int kind = idsnBox->isChecked() ? 2 : noradBox->isChecked() ? 1 : 0;
    const int low = lowBox->isChecked() ? 1 : 0;
    const int recent = recentBox->isChecked() ? 1 : 0;
    if (more)
        vsReComp(key, n, kind, 1, low, recent);
    else
        vsFindSat(key, n, kind, low, recent);
    showButton(moreButton, n == 2);
    showButton(selectButton, n == 1 || n == 2);
    dSatInfo(key);
}

void ObSelSatDialog::selectSlot()
{
    showButton(newButton, false);
    showButton(selectButton, false);
    vsSatSel();
    dSatList();
}

void ObSelSatDialog::newsSlot()
{
    showButton(newButton, false);
    vsResetSatList();
    dSatList();
}

void ObSelSatDialog::noradSlot()
{
    const bool byNumber = noradBox->isChecked();
    noradEdit->setEnabled(byNumber);
    satnameEdit->setEnabled(!byNumber);
    if (byNumber)
        idsnBox->setChecked(false);
}

void ObSelSatDialog::idsnSlot()
{
    if (idsnBox->isChecked()) {
        noradEdit->setEnabled(false);
        satnameEdit->setEnabled(true);
        noradBox->setChecked(false);
        nameLabel->setText(tr("Inter&national Launch#:"));
    } else {
        nameLabel->setText(tr("Satellite &Name:"));
    }
}

void ObSelSatDialog::lowSlot()
{
    vsLowRecent(lowBox->isChecked() ? 1 : 0, recentBox->isChecked() ? 1 : 0);
}

void ObSelSatDialog::showButton(QPushButton* b, bool on)
{
    b->setEnabled(on);
    b->setVisible(on);
}
