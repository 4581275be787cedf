// Time, place, step, system and help dialogs: values in and out, enabling rules, bad input.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>
#include <QTextEdit>

#include <array>
#include <tuple>
#include <utility>

#include "dialog_helpers.h"
#include "gui_helpers.h"
#include "obdatedialog.h"
#include "obiersdialog.h"
#include "oblocaldialog.h"
#include "obobsdialog.h"
#include "obquickdialog.h"
#include "obstepdialog.h"
#include "obstatedialog.h"
#include "obsysconfdialog.h"

namespace {

// The label whose accelerator leads to field, or nullptr.
const QLabel* labelOf(const QWidget& dialog, const QWidget* field)
{
    for (const QLabel* l : dialog.findChildren<QLabel*>())
        if (l->buddy() == field)
            return l;
    return nullptr;
}

// The ten values of a date dialog.
struct DateValues {
    int year, month, day, hour, minute, second;
    double timezone;
    int systz;
    double duration, rtoffset;
};

DateValues read(const ObDateDialog& d)
{
    DateValues v;
    d.getParams(v.year, v.month, v.day, v.hour, v.minute, v.second, v.timezone, v.systz, v.duration,
                v.rtoffset);
    return v;
}

// Presses OK on d; returns the text of the warning that keeps it open, or "" when it closed.
QString pressOk(QDialog& d)
{
    QString message;
    QPointer<QTimer> watcher = whenModal<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->close();
    });
    d.setResult(QDialog::Rejected);
    d.accept();
    delete watcher;
    EXPECT_EQ(message.isEmpty(), d.result() == QDialog::Accepted) << message.toStdString();
    return message;
}

}  // namespace

TEST(DateDialog, ValuesRoundTripAndTheEnablingRules)
{
    ObDateDialog d;
    d.setParams(2026, 2, 22, 23, 59, 7, -4.5, 0, 3.25, 1.5);
    const DateValues v = read(d);
    EXPECT_EQ(std::make_tuple(2026, 2, 22, 23, 59, 7),
              std::make_tuple(v.year, v.month, v.day, v.hour, v.minute, v.second));
    EXPECT_EQ(std::make_tuple(-4.5, 0, 3.25, 1.5),
              std::make_tuple(v.timezone, v.systz, v.duration, v.rtoffset));
    EXPECT_TRUE(child<QLineEdit>(d, "durEdit")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(d, "rtEdit")->isEnabled());

    // The system time zone locks the zone field at once.
    auto* tz = child<QLineEdit>(d, "tzoneEdit");
    EXPECT_TRUE(tz->isEnabled());
    child<QCheckBox>(d, "systemBox")->setChecked(true);
    EXPECT_FALSE(tz->isEnabled());
    EXPECT_EQ(1, read(d).systz);

    // A launch or match date: the negated duration is shown positive, both fields locked.
    ObDateDialog dateOnly;
    dateOnly.setParams(2026, 2, 22, 0, 0, 0, 1.0, 1, -7.0, 0.0);
    EXPECT_EQ("7", child<QLineEdit>(dateOnly, "durEdit")->text());
    EXPECT_FALSE(child<QLineEdit>(dateOnly, "durEdit")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(dateOnly, "rtEdit")->isEnabled());
    EXPECT_FALSE(child<QLineEdit>(dateOnly, "tzoneEdit")->isEnabled());
}

TEST(DateDialog, ImpossibleDatesAreRefusedWithAMessage)
{
    const std::array<std::tuple<int, int, int, const char*>, 4> dates = {{
        {2026, 13, 1, "Month: 13 is not valid (1 to 12)."},
        {2026, 1, 40, "Day: 40 is not valid (1 to 31)."},
        {2024, 2, 29, ""},
        {2026, 2, 29, "Day: 29 is not valid (1 to 28)."},
    }};
    for (const auto& [year, month, day, message] : dates) {
        ObDateDialog d;
        d.setParams(year, month, day, 12, 0, 0, 0.0, 0, 1.0, 0.0);
        EXPECT_EQ(QString(message), pressOk(d));
    }
    ObDateDialog d;
    d.setParams(2026, 3, 1, 24, 0, 0, 0.0, 0, 1.0, 0.0);
    EXPECT_EQ("Hours: 24 is not valid (0 to 23).", pressOk(d));

    // An epoch as year and day of the year: day 366 exists in leap years only.
    ObStateDialog state;
    child<QLineEdit>(state, "yearEdit")->setText("2026");
    child<QLineEdit>(state, "dayEdit")->setText("366.5");
    EXPECT_EQ("Day of Year. Fraction of Day: 366.5 is not valid (from 1 to below 366).",
              pressOk(state));
    child<QLineEdit>(state, "yearEdit")->setText("2024");
    EXPECT_EQ("", pressOk(state));
}

TEST(IersDialog, DefaultsLockEveryValueAndItsLabel)
{
    ObIersDialog d;
    d.setParams(false, 0.1234, -0.25, -37, -0.1725);
    auto* ck = child<QCheckBox>(d, "ckDefault");
    const std::array<const char*, 4> fields = {"taiEdit", "ut1Edit", "xEdit", "yEdit"};
    EXPECT_TRUE(ck->isChecked());
    EXPECT_FALSE(child<QLabel>(d, "poleLabel")->isEnabled());
    for (const char* name : fields) {
        const auto* e = child<QLineEdit>(d, name);
        EXPECT_FALSE(e->isEnabled()) << name;
        ASSERT_NE(nullptr, labelOf(d, e)) << name;
        EXPECT_FALSE(labelOf(d, e)->isEnabled()) << name;
    }
    ck->setChecked(false);
    EXPECT_TRUE(child<QLabel>(d, "poleLabel")->isEnabled());
    for (const char* name : fields) {
        EXPECT_TRUE(child<QLineEdit>(d, name)->isEnabled()) << name;
        EXPECT_TRUE(labelOf(d, child<QLineEdit>(d, name))->isEnabled()) << name;
    }
    bool iers;
    double x, y, ut1;
    int tai;
    d.getParams(iers, x, y, tai, ut1);
    EXPECT_EQ(std::make_tuple(true, 0.1234, -0.25, -37, -0.1725),
              std::make_tuple(iers, x, y, tai, ut1));
}

TEST(ObsDialog, DecimalAndDmsFormsConvertBothWays)
{
    ObObsDialog d;
    d.setParams(10.5, 8.25, 410, "Zurich", false);
    auto* lat = child<QLineEdit>(d, "latEdit");
    auto* lng = child<QLineEdit>(d, "lngEdit");
    EXPECT_EQ("10.5", lat->text());
    EXPECT_EQ("8.25", lng->text());
    child<QRadioButton>(d, "ddmmButton")->setChecked(true);
    EXPECT_EQ("10.3", lat->text());
    EXPECT_EQ("8.15", lng->text());
    double la, lo, h;
    bool ddmm;
    d.getParams(la, lo, h, ddmm);
    EXPECT_TRUE(ddmm);
    EXPECT_NEAR(10.5, la, 1e-9);  // returned in decimal degrees whatever is shown
    EXPECT_NEAR(8.25, lo, 1e-9);
    EXPECT_DOUBLE_EQ(410, h);
    child<QRadioButton>(d, "decButton")->setChecked(true);
    EXPECT_EQ("10.5", lat->text());
    EXPECT_EQ("8.25", lng->text());
    EXPECT_EQ("Zurich", d.getGeoname());

    // Opened in d.mmss: the stored decimal degrees appear converted and come back unchanged.
    ObObsDialog dms;
    dms.setParams(-33.8675, 151.207, 58, "Sydney", true);
    EXPECT_TRUE(child<QRadioButton>(dms, "ddmmButton")->isChecked());
    EXPECT_EQ("-33.5203", child<QLineEdit>(dms, "latEdit")->text());
    EXPECT_EQ("151.1225", child<QLineEdit>(dms, "lngEdit")->text());
    dms.getParams(la, lo, h, ddmm);
    EXPECT_NEAR(-33.8675, la, 1.0 / 3600);
    EXPECT_NEAR(151.207, lo, 1.0 / 3600);
}

TEST(QuickDialog, MarkerSendsTheFollowingTextToTheTop)
{
    ObQuickDialog d;
    for (const char* line : {"A", "$$$", "B"}) {
        d.setHelpLine(line);
        d.setHelpLine("\n");
    }
    EXPECT_EQ("\nB\nA\n", child<QTextEdit>(d, "textEdit1")->toPlainText());
}

TEST(LocalDialog, ShowsTheTextFromItsStartInTheMapFontSize)
{
    ObLocalDialog d;
    const QString text = "Lat: 47,  Long: 8\n\tAzim:  12.50,\tElev:  33.10";
    d.setParams(text, 13);
    auto* area = child<QTextEdit>(d, "textEdit");
    EXPECT_EQ(text, area->toPlainText());
    EXPECT_EQ(13, area->font().pointSize());
    EXPECT_EQ(0, area->textCursor().position());
    d.setParams("x", 0);  // an unusable size keeps the font
    EXPECT_EQ(13, area->font().pointSize());
}

TEST(TimeAndPlaceDialogs, EveryAcceleratorLeadsToAField)
{
    ObDateDialog date;
    ObIersDialog iers;
    ObObsDialog obs;
    ObStepDialog step;
    ObSysConfDialog sys;
    for (const QDialog* d :
         std::initializer_list<const QDialog*>{&date, &iers, &obs, &step, &sys}) {
        for (const QLabel* l : d->findChildren<QLabel*>())
            EXPECT_TRUE(!l->text().contains('&') || l->buddy()) << l->text().toStdString();
    }
    EXPECT_EQ("&Timezone (positive East, negative West):",
              labelOf(date, child<QLineEdit>(date, "tzoneEdit"))->text());
    EXPECT_EQ("Relative &Tolerance for Numeric Integration: ",
              labelOf(sys, child<QLineEdit>(sys, "tolEdit"))->text());
}
