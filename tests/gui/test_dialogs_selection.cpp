// Selection, removal and prime dialogs over the bundled TLE file through the selection glue.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

#include <string>

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

TEST_F(SelectionDialogs, FindSelectMoreAndNew)
{
    ObSelSatDialog d;
    d.setParams();
    EXPECT_FALSE(offered(child<QPushButton>(d, "selectButton")));
    EXPECT_TRUE(info(d).contains("*** No Satellites Selected ***"));
    child<QLineEdit>(d, "satnameEdit")->setText("iss");
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).startsWith("ISS (ZARYA)"));
    child<QPushButton>(d, "selectButton")->click();
    EXPECT_EQ(1, indata->nsat);
    EXPECT_TRUE(info(d).contains("Selected Satellites:"));
    EXPECT_FALSE(offered(child<QPushButton>(d, "selectButton"))) << "selected only once";

    // More steps through the matches; a miss says so and changes nothing.
    auto* more = child<QPushButton>(d, "moreButton");
    child<QLineEdit>(d, "satnameEdit")->setText("COSMOS 1");
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).startsWith("COSMOS 1536"));
    more->click();
    EXPECT_TRUE(info(d).startsWith("COSMOS 1743"));
    child<QLineEdit>(d, "satnameEdit")->setText("NO SUCH SATELLITE");
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).contains("+++ No match found for NO SUCH SATELLITE +++"));
    EXPECT_FALSE(offered(more));
    EXPECT_FALSE(offered(child<QPushButton>(d, "selectButton")));
    EXPECT_EQ(1, indata->nsat);

    // A reopened dialog keeps the search key; New empties the selection.
    ObSelSatDialog again;
    again.setParams();
    EXPECT_EQ("NO SUCH SATELLITE", child<QLineEdit>(again, "satnameEdit")->text());
    auto* newButton = child<QPushButton>(again, "newButton");
    EXPECT_TRUE(offered(newButton));
    newButton->click();
    EXPECT_EQ(0, indata->nsat);
    EXPECT_FALSE(offered(newButton));
}

TEST_F(SelectionDialogs, NumberAndDesignatorKeysExcludeEachOther)
{
    ObSelSatDialog d;
    d.setParams();
    auto* norad = child<QCheckBox>(d, "noradBox");
    auto* idsn = child<QCheckBox>(d, "idsnBox");
    auto* noradEdit = child<QLineEdit>(d, "noradEdit");
    auto* nameEdit = child<QLineEdit>(d, "satnameEdit");
    norad->setChecked(true);
    EXPECT_FALSE(nameEdit->isEnabled());
    noradEdit->setText("25544");
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).startsWith("ISS (ZARYA)"));

    idsn->setChecked(true);
    EXPECT_FALSE(norad->isChecked());
    EXPECT_FALSE(noradEdit->isEnabled());
    nameEdit->setText("1998-067A");
    child<QPushButton>(d, "findButton")->click();
    EXPECT_TRUE(info(d).startsWith("ISS (ZARYA)"));

    // A reopened dialog comes back with the designator key.
    ObSelSatDialog again;
    again.setParams();
    EXPECT_TRUE(child<QCheckBox>(again, "idsnBox")->isChecked());

    norad->setChecked(true);
    EXPECT_FALSE(idsn->isChecked());
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
    child<QRadioButton>(d, "button0")->click();
    int prime = -1, relmode = -1;
    d.getParams(prime, relmode);
    EXPECT_EQ(0, prime);
}
