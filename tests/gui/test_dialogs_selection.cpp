// Selection, removal and prime dialogs over the bundled TLE file through the selection glue.

#include "gui_helpers.h"

namespace {

// The selection dialogs over the bundled TLE file, open for them, with nothing selected.
class SelectionDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDefaults(indata);
        setField(indata->tlefile, ORBIKA_DATA_DIR "/tle/visual.txt");
        ASSERT_TRUE(reader.isOpen());
        satfle = &reader;
        vsResetSatList();
    }
    void TearDown() override { satfle = nullptr; }
    ElementReader reader{ORBIKA_DATA_DIR "/tle/visual.txt"};
    // A widget that is shown and usable (the dialog itself is never shown in the tests).
    static bool offered(const QWidget* w) { return !w->isHidden() && w->isEnabled(); }

    // '1' for each of the ten rows named prefix0 ... prefix9 that is shown and enabled.
    static std::string shownRows(const QWidget& d, const QString& prefix)
    {
        std::string rows;
        for (int i = 0; i < kMaxSat; ++i) rows += offered(child<QWidget>(d, prefix + QString::number(i))) ? '1' : '0';
        return rows;
    }

    // '1' for each row marked for removal.
    static std::string marks(const ObRemSatDialog& d)
    {
        bool flags[kMaxSat];
        d.getParams(flags);
        std::string rows;
        for (bool f : flags) rows += f ? '1' : '0';
        return rows;
    }

    static QString info(const ObSelSatDialog& d) { return child<QTextEdit>(d, "satinfEdit")->toPlainText(); }
    static void press(const QWidget& d, const char* button) { child<QPushButton>(d, button)->click(); }
    // Searches the name key in the selection dialog d.
    static void find(const QWidget& d, const char* key)
    {
        child<QLineEdit>(d, "satnameEdit")->setText(key);
        press(d, "findButton");
    }
};

}  // namespace

TEST_F(SelectionDialogs, FindSelectMoreNewAndTheNumberKeys)
{
    ObSelSatDialog d;
    d.setParams();
    EXPECT_FALSE(offered(child<QPushButton>(d, "selectButton")));
    find(d, "iss");
    EXPECT_TRUE(info(d).startsWith("ISS (ZARYA)"));
    press(d, "selectButton");
    EXPECT_EQ(1, indata->nsat);
    EXPECT_FALSE(offered(child<QPushButton>(d, "selectButton"))) << "selected only once";
    find(d, "COSMOS 1");
    EXPECT_TRUE(info(d).startsWith("COSMOS 1536"));
    press(d, "moreButton");
    EXPECT_TRUE(info(d).startsWith("COSMOS 1743"));
    find(d, "NO SUCH SATELLITE");
    EXPECT_TRUE(info(d).contains("+++ No match found for NO SUCH SATELLITE +++"));
    EXPECT_FALSE(offered(child<QPushButton>(d, "moreButton")) || offered(child<QPushButton>(d, "selectButton")));
    EXPECT_EQ(1, indata->nsat);
    ObSelSatDialog again;
    again.setParams();
    EXPECT_EQ("NO SUCH SATELLITE", child<QLineEdit>(again, "satnameEdit")->text()) << "the key is kept";
    press(again, "newButton");
    EXPECT_EQ(0, indata->nsat);
    EXPECT_FALSE(offered(child<QPushButton>(again, "newButton")));
    auto* norad = child<QCheckBox>(again, "noradBox");
    auto* noradEdit = child<QLineEdit>(again, "noradEdit");
    norad->setChecked(true);
    EXPECT_FALSE(child<QLineEdit>(again, "satnameEdit")->isEnabled());
    noradEdit->setText("25544");
    press(again, "findButton");
    EXPECT_TRUE(info(again).startsWith("ISS (ZARYA)"));
    child<QCheckBox>(again, "idsnBox")->setChecked(true);
    EXPECT_FALSE(norad->isChecked() || noradEdit->isEnabled()) << "the number and designator keys exclude each other";
    find(again, "1998-067A");
    EXPECT_TRUE(info(again).startsWith("ISS (ZARYA)"));
    norad->setChecked(true);
    noradEdit->setText("ISS");  // not a number: searched as number 0
    press(again, "findButton");
    EXPECT_TRUE(info(again).contains("+++ No match found for NORAD# 0 +++"));
}

TEST_F(SelectionDialogs, SelectingWithTenSelectedReplacesTheTenth)
{
    ObSelSatDialog d;
    d.setParams();
    find(d, "*");
    QStringList found;
    for (int i = 0; i < 11; ++i) {
        found << info(d).section('\n', 0, 0).trimmed();
        press(d, "selectButton");
        press(d, "moreButton");
    }
    EXPECT_EQ(kMaxSat, indata->nsat);
    EXPECT_EQ(found[8], vsSatName(9).trimmed());
    EXPECT_EQ(found[10], vsSatName(10).trimmed());
}

TEST_F(SelectionDialogs, RemovalRowsAndPrimeChoiceFollowTheSelection)
{
    for (const char* name : {"ISS", "OAO 2", "ISIS 1"}) selectByGlue(name);
    satfle = &reader;  // open again for the dialogs
    ObRemSatDialog d;
    d.setParams(indata->nsat);
    EXPECT_EQ("1110000000", shownRows(d, "box"));
    press(d, "allButton");
    EXPECT_EQ("1110000000", marks(d));
    ObRemSatDialog none, all;
    none.setParams(-4);
    none.alldlt();
    EXPECT_EQ("0000000000", marks(none));
    all.setParams(1000);
    all.alldlt();
    EXPECT_EQ("1111111111", marks(all)) << "absurd row counts are kept within the ten rows";
    ObSwitchDialog prime;
    prime.setParams(1, 1, indata->nsat);
    EXPECT_EQ("1110000000", shownRows(prime, "button")) << "the prime choice offers the selected only";
    EXPECT_TRUE(child<QRadioButton>(prime, "button1")->text().contains("OAO 2"));
    child<QRadioButton>(prime, "button0")->click();
    int chosen = -1, relmode = -1;
    prime.getParams(chosen, relmode);
    EXPECT_EQ(0, chosen) << "the row chosen is the slot returned";
}
