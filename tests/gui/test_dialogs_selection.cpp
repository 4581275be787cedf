// Selection, removal and prime dialogs over the bundled TLE file through the selection glue.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <string>
#include <utility>

#include "dialog_helpers.h"
#include "obremsatdialog.h"
#include "obselsatdialog.h"
#include "obswitchdialog.h"

namespace {

// The selection dialogs over the bundled TLE file.
class SelectionDialogs : public VisualTleTest {
protected:
    // A button that is shown and usable (the dialog itself is never shown in the tests).
    static bool offered(const QPushButton* b) { return !b->isHidden() && b->isEnabled(); }

    // '1' for each of the ten rows named prefix0 ... prefix9 that is shown and enabled.
    template <typename W>
    static std::string shownRows(const QWidget& d, const QString& prefix)
    {
        std::string rows;
        for (int i = 0; i < kMaxSat; ++i) {
            const W* w = child<W>(d, prefix + QString::number(i));
            rows += !w->isHidden() && w->isEnabled() ? '1' : '0';
        }
        return rows;
    }

    // '1' for each row marked for removal.
    static std::string marks(const ObRemSatDialog& d)
    {
        bool flags[kMaxSat];
        d.getParams(flags);
        std::string rows;
        for (bool f : flags)
            rows += f ? '1' : '0';
        return rows;
    }

    static QString info(const ObSelSatDialog& d)
    {
        return child<QTextEdit>(d, "satinfEdit")->toPlainText();
    }
};

}  // namespace

TEST_F(SelectionDialogs, NewSetIsOfferedWhileTheListHasEntries)
{
    ObSelSatDialog d;
    d.setParams();
    EXPECT_FALSE(offered(child<QPushButton>(d, "newButton")));
    EXPECT_FALSE(offered(child<QPushButton>(d, "moreButton")));
    EXPECT_FALSE(offered(child<QPushButton>(d, "selectButton")));
    EXPECT_TRUE(info(d).contains("*** No Satellites Selected ***"));

    child<QLineEdit>(d, "satnameEdit")->setText("iss");
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).startsWith("ISS (ZARYA)"));
    EXPECT_TRUE(offered(child<QPushButton>(d, "selectButton")));
    child<QPushButton>(d, "selectButton")->click();
    EXPECT_EQ(1, indata->nsat);
    EXPECT_TRUE(info(d).contains("Selected Satellites:"));
    EXPECT_TRUE(info(d).contains("ISS (ZARYA)"));
    EXPECT_FALSE(offered(child<QPushButton>(d, "selectButton")));

    ObSelSatDialog again;
    again.setParams();
    EXPECT_EQ("iss", child<QLineEdit>(again, "satnameEdit")->text());
    auto* newButton = child<QPushButton>(again, "newButton");
    EXPECT_TRUE(offered(newButton));
    newButton->click();
    EXPECT_EQ(0, indata->nsat);
    EXPECT_FALSE(offered(newButton));
    EXPECT_TRUE(info(again).contains("*** No Satellites Selected ***"));
}

TEST_F(SelectionDialogs, MoreStepsThroughMatchesAndAMissChangesNothing)
{
    select("ISS");
    ObSelSatDialog d;
    d.setParams();
    auto* more = child<QPushButton>(d, "moreButton");
    auto* selectButton = child<QPushButton>(d, "selectButton");
    child<QLineEdit>(d, "satnameEdit")->setText("COSMOS 1");
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).startsWith("COSMOS 1536"));
    EXPECT_TRUE(offered(more));
    more->click();
    EXPECT_TRUE(info(d).startsWith("COSMOS 1743"));
    EXPECT_TRUE(offered(selectButton));

    child<QLineEdit>(d, "satnameEdit")->setText("NO SUCH SATELLITE");
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).contains("+++ No match found for NO SUCH SATELLITE +++"));
    EXPECT_FALSE(offered(more));
    EXPECT_FALSE(offered(selectButton));
    EXPECT_EQ(1, indata->nsat);
}

TEST_F(SelectionDialogs, NumberAndDesignatorKeysExcludeEachOther)
{
    ObSelSatDialog d;
    d.setParams();
    auto* norad = child<QCheckBox>(d, "noradBox");
    auto* idsn = child<QCheckBox>(d, "idsnBox");
    auto* noradEdit = child<QLineEdit>(d, "noradEdit");
    auto* nameEdit = child<QLineEdit>(d, "satnameEdit");
    auto* label = child<QLabel>(d, "nameLabel");
    EXPECT_FALSE(noradEdit->isEnabled());
    EXPECT_EQ(nameEdit, label->buddy());

    norad->setChecked(true);
    EXPECT_TRUE(noradEdit->isEnabled());
    EXPECT_FALSE(nameEdit->isEnabled());
    noradEdit->setText("25544");
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).startsWith("ISS (ZARYA)"));

    idsn->setChecked(true);
    EXPECT_FALSE(norad->isChecked());
    EXPECT_FALSE(noradEdit->isEnabled());
    EXPECT_TRUE(nameEdit->isEnabled());
    EXPECT_EQ("Inter&national Launch#:", label->text());
    nameEdit->setText("1998-067A");
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).startsWith("ISS (ZARYA)"));

    // A reopened dialog comes back with the designator key.
    ObSelSatDialog again;
    again.setParams();
    EXPECT_TRUE(child<QCheckBox>(again, "idsnBox")->isChecked());
    EXPECT_EQ("Inter&national Launch#:", child<QLabel>(again, "nameLabel")->text());

    norad->setChecked(true);
    EXPECT_FALSE(idsn->isChecked());
    EXPECT_EQ("Satellite &Name:", label->text());
    noradEdit->setText("ISS");  // not a number: searched as number 0
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).contains("+++ No match found for NORAD# 0 +++"));
    EXPECT_EQ("0", noradEdit->text());
}

TEST_F(SelectionDialogs, SelectingWithTenSelectedReplacesTheTenth)
{
    ObSelSatDialog d;
    d.setParams();
    child<QLineEdit>(d, "satnameEdit")->setText("*");
    child<QPushButton>(d, "findButton")->click();
    QStringList found;
    for (int i = 0; i < 11; ++i) {
        found << info(d).section('\n', 0, 0).trimmed();
        child<QPushButton>(d, "selectButton")->click();
        child<QPushButton>(d, "moreButton")->click();
    }
    EXPECT_EQ(kMaxSat, indata->nsat);
    EXPECT_EQ(found[8], vsSatName(9).trimmed());
    EXPECT_EQ(found[10], vsSatName(10).trimmed());
    EXPECT_NE(found[9], found[10]);
}

TEST_F(SelectionDialogs, RemovalRowsFollowTheSelection)
{
    for (const char* name : {"ISS", "OAO 2", "ISIS 1"})
        select(name);
    ObRemSatDialog d;
    d.setParams(indata->nsat);
    EXPECT_EQ("1110000000", shownRows<QCheckBox>(d, "box"));
    EXPECT_EQ("OAO 2", child<QLineEdit>(d, "name1")->text().trimmed());
    child<QCheckBox>(d, "box1")->setChecked(true);
    EXPECT_EQ("0100000000", marks(d));
    child<QPushButton>(d, "allButton")->click();
    EXPECT_EQ("1110000000", marks(d));

    // Absurd row counts are kept within the ten rows.
    ObRemSatDialog none, all;
    none.setParams(-4);
    none.alldlt();
    EXPECT_EQ("0000000000", marks(none));
    all.setParams(1000);
    all.alldlt();
    EXPECT_EQ("1111111111", marks(all));
}

TEST_F(SelectionDialogs, PrimeChoiceOffersTheSelectedSatellitesOnly)
{
    select("ISS");
    select("OAO 2");
    ObSwitchDialog d;
    d.setParams(1, 1, indata->nsat);
    EXPECT_EQ("1100000000", shownRows<QRadioButton>(d, "button"));
    EXPECT_TRUE(child<QRadioButton>(d, "button0")->text().contains("ISS (ZARYA)"));
    EXPECT_TRUE(child<QRadioButton>(d, "button1")->text().contains("OAO 2"));
    int prime = -1, relmode = -1;
    d.getParams(prime, relmode);
    EXPECT_EQ(std::make_pair(1, 1), std::make_pair(prime, relmode));
    child<QRadioButton>(d, "button0")->click();
    child<QCheckBox>(d, "relBox")->click();
    d.getParams(prime, relmode);
    EXPECT_EQ(std::make_pair(0, 0), std::make_pair(prime, relmode));

    ObSwitchDialog other;
    other.setParams(0, 2, indata->nsat);  // only 1 means relative mode
    other.getParams(prime, relmode);
    EXPECT_EQ(0, relmode);
}
