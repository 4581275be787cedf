// Pass details dialog over a computed pass list of the ISS from the bundled TLE file.
#include <gtest/gtest.h>

#include <QTextEdit>

#include <string>

#include "core/orbitpole.h"
#include "core/passdetails.h"
#include "core/passpage.h"
#include "core/timeset.h"
#include "dialog_helpers.h"
#include "foundation/units.h"
#include "obpassdialog.h"

namespace {

using time_units::kSecondsPerDay;

// The ISS selected, its passes of two days from the elements' epoch listed, the first one clicked.
class PassDialog : public VisualTleTest {
protected:
    void SetUp() override
    {
        VisualTleTest::SetUp();
        if (HasFatalFailure())
            return;
        select("ISS");
        indata->year = 2026;
        indata->month = 2;
        indata->day = 22;
        indata->hour = indata->minute = indata->second = 0;
        indata->timezone = 0;
        indata->systzflg = 0;
        indata->duration = 2;
        indata->visonly = 0;
        indata->tstep = 60 / kSecondsPerDay;
        setNewMjd(indata);
        aospass(indata, outdata);
        ASSERT_GT(indata->npass, 0);
        indata->pdpass = 0;
        indata->pdoffset = 0;
    }
};

}  // namespace

TEST_F(PassDialog, ShowsEveryDetailLineThenThePole)
{
    // The same pass written line by line straight from the core.
    std::string expected;
    char buf[kPassDetailBytes];
    double t = 0;
    int more = 1;
    while (more) {
        buf[0] = '\0';
        more = GetPassDTxt(indata, t, buf, 0);
        expected += buf;
    }
    buf[0] = '\0';
    GetPoleTxt(indata, buf);
    expected += std::string("\n") + buf;

    ObPassDialog d;
    d.setParams(11);
    const auto* text = child<QTextEdit>(d, "passEdit");
    EXPECT_EQ(expected, text->toPlainText().toStdString());
    EXPECT_TRUE(text->toPlainText().startsWith("ISS (ZARYA)"));
    EXPECT_GT(text->toPlainText().count('\n'), 8);
    EXPECT_EQ(11, text->font().pointSize());
    EXPECT_EQ(0, text->textCursor().position());
}

TEST_F(PassDialog, TinyStepsAreCutAtTheLineLimit)
{
    // Started a minute into the pass, hundredth-second steps would give tens of thousands of lines.
    indata->passaos[0] += 60 / kSecondsPerDay;
    indata->tstep = 0.01 / kSecondsPerDay;
    ObPassDialog d;
    d.setParams(10);
    const QString text = child<QTextEdit>(d, "passEdit")->toPlainText();
    const int lines = text.count('\n') + 1;
    EXPECT_GE(lines, 6250);
    EXPECT_LT(lines, 6250 + 12);  // the header and the pole lines come on top
    EXPECT_TRUE(text.contains("\nApparent Pole of orbit"));
}
