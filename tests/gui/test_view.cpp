// The view: pass list and clicks, text page, dialog write-back and cancel, file messages.

#include <QMouseEvent>

#include "core/textpage.h"
#include "core/tlesave.h"
#include "gui_helpers.h"
#include "settingsupdate.h"

namespace {

using time_units::kSecond;

// Sends a mouse press of button at (x, y) to w.
void click(QWidget* w, Qt::MouseButton button, int x, int y)
{
    const QPointF p(x, y);
    QMouseEvent e(QEvent::MouseButtonPress, p, w->mapToGlobal(p), button, button, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A pass list page: header, tagged title and n pass lines, a blank line before every tenth.
void passPage(int n)
{
    outdata->nlines = 0;
    char header[] = " Satellite: TEST", title[] = "    Start (Azim.,Elev.)", line[kLineBytes];
    PutNxtLn(outdata, header);
    PutNxtLnT(outdata, title);
    for (int i = 0; i < n; ++i) {
        if (i % 10 == 0) PutSpace(outdata, 1);
        std::snprintf(line, sizeof line, ".JAN %2i  10:%02i:00 (100, 20)", i % 28 + 1, i % 60);
        PutNxtLnT(outdata, line);
    }
}

// Rightmost column holding a dark pixel between the rows y0 and y1 of image.
int rightmostInk(const QImage& image, int y0, int y1)
{
    int right = -1;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) right = std::max(right, x);
    return right;
}

}  // namespace

TEST_F(WindowTest, SelectedIssPassListAndClickOnPassLine)
{
    OrbikaView* view = w.getView();
    SetSiteA(indata);
    setNewMjd(indata);
    whenModal<ObSelSatDialog>([](ObSelSatDialog* d) {
        child<QLineEdit>(*d, "satnameEdit")->setText("ISS");
        for (const char* b : {"findButton", "selectButton", "closeButton"}) child<QPushButton>(*d, b)->click();
    });
    w.slotInputSelectSat();
    ASSERT_EQ(1, indata->nsat);
    EXPECT_EQ(0, std::strncmp(indata->satname[0], "ISS (ZARYA)", 11));
    EXPECT_EQ(nullptr, satfle) << "the TLE file is closed after the dialog";
    w.slotCalcAOS();
    EXPECT_EQ(-1, indata->pagemode);
    ASSERT_GE(indata->npass, 2);
    EXPECT_EQ(indata->npass, view->passLines());
    // The text of pass line 1 up to the minute of its start: "MON dd  hh:mm".
    QString start;
    for (int l = 0, k = 0; l < outdata->nlines && start.isEmpty(); ++l)
        if (outdata->lines[l][0] == '.' && k++ == 1)
            start = QString::fromLatin1(outdata->lines[l] + 1).section('(', 0, 0).trimmed().chopped(3);
    ASSERT_FALSE(start.isEmpty());
    indata->pdpass = -1;
    QPointer<QTimer> watch = whenModal<QDialog>([](QDialog* d) { d->close(); });
    click(view, Qt::LeftButton, 100, view->passLineTop(1) + 3);
    EXPECT_EQ(-1, indata->pdpass) << "no pass details while the left button is not enabled";
    delete watch;
    const QString details =
        textShown<ObPassDialog>("passEdit", [&] { click(view, Qt::RightButton, 100, view->passLineTop(1) + 3); });
    EXPECT_EQ(1, indata->pdpass);
    EXPECT_TRUE(details.startsWith("ISS (ZARYA)"));
    EXPECT_TRUE(details.contains(start)) << start.toStdString() << "\n" << details.toStdString();
    indata->passaos[1] += 60 * kSecond;
    indata->tstep = 0.01 * kSecond;
    ObPassDialog d;
    d.setParams(10);
    const QString text = d.findChild<QTextEdit*>("passEdit")->toPlainText();
    const int lines = text.count('\n') + 1;
    EXPECT_GE(lines, 6250) << "hundredth-second steps a minute into the pass are cut at the line limit";
    EXPECT_LT(lines, 6250 + 12);  // the header and the pole lines come on top
    EXPECT_TRUE(text.contains("\nApparent Pole of orbit"));
}

TEST_F(ViewTest, PassLinesAtFixedPitchAndTheirClickPositions)
{
    passPage(125);
    indata->npass = kMaxPasses;
    view.showtxt(false);
    const QImage proportional = view.textImage().toImage();
    view.showSattxt();
    const QImage fixed = view.textImage().toImage();
    ASSERT_EQ(kMaxPasses, view.passLines()) << "only the first 120 pass lines are recorded";
    const int top = view.passLineTop(0), step = view.passLineTop(1) - top;
    EXPECT_EQ(rightmostInk(proportional, 0, step + 1), rightmostInk(fixed, 0, step + 1)) << "plain header";
    EXPECT_GT(rightmostInk(fixed, top, top + step), rightmostInk(proportional, top, top + step) + 30)
        << "a pass line at the width of M reaches much further";
    EXPECT_EQ(57, view.passAt(view.passLineTop(57) + step - 1));
    EXPECT_EQ(-1, view.passAt(top - 1)) << "the title";
    EXPECT_EQ(-1, view.passAt(view.passLineTop(9) + step + 1)) << "the blank line";
    indata->npass = 5;
    EXPECT_EQ(-1, view.passAt(view.passLineTop(7) + 1)) << "beyond the listed passes";
}

TEST_F(ViewTest, DialogsWriteBackOnlyWhenAccepted)
{
    const auto before = std::make_unique<WinpData>(*indata);
    cancelling<ObMapDialog>([&] { view.vMapDialog(); });
    cancelling<ObVisDialog>([&] { view.vVisibility(); });
    EXPECT_EQ(1, cancelling<ObDateDialog>([&] { return view.vInputDate(); }));
    EXPECT_EQ(1, cancelling<ObObsDialog>([&] { return view.vInputLocation(); }));
    cancelling<ObStepDialog>([&] { view.vStep(); });
    cancelling<ObIersDialog>([&] { view.vSetIERS(); });
    cancelling<ObSysConfDialog>([&] { view.vSysConf(); });
    cancelling<QInputDialog>([&] { view.vMag(); });
    EXPECT_EQ(0, std::memcmp(before.get(), indata, sizeof(WinpData))) << "Cancel after typing changes nothing";
    acceptWith<ObStepDialog>({{"minEdit", "0"}, {"secEdit", "abc"}});
    view.vStep();
    EXPECT_DOUBLE_EQ(0.1 / 86400, indata->tstep) << "an unreadable step becomes the shortest";
    indata->dateonly = 1;
    indata->duration = 3.1;
    acceptWith<ObDateDialog>({{"yearEdit", "2027"}, {"durEdit", "9"}});
    EXPECT_EQ(0, view.vInputDate());
    EXPECT_DOUBLE_EQ(3.1, indata->duration) << "inside another command the interval stays";
    indata->dateonly = 0;
    acceptWith<ObObsDialog>({{"locEdit", QString(40, 'x')}});
    EXPECT_EQ(0, view.vInputLocation());
    EXPECT_EQ(QString(30, 'x'), QString(indata->locname));
}

TEST_F(ViewTest, IersDialogShowsTheLeapSecondsOfTheDate)
{
    // UTC - TAI of the published table: -32 s from 1999 to 2005, -37 s since 2017.
    ASSERT_FALSE(indata->iersflg);
    for (const auto& [year, utctai] : {std::pair{2026, "-37"}, std::pair{2003, "-32"}}) {
        indata->year = year;
        setNewMjd(indata);
        EXPECT_EQ(utctai, textShown<ObIersDialog>("taiEdit", [&] { view.vSetIERS(); })) << year;
    }
}

TEST_F(ViewTest, MissingOrUnwritableFilesAreReportedAndLargeNumbersSavedAsCsv)
{
    setField(indata->tlefile, "./none.txt");
    EXPECT_EQ((Message{"Orbika", "Unable to open TLE file ./none.txt: No such file or directory"}),
              messageOf([&] { view.vSelectSat(); }));
    EXPECT_EQ(0, indata->nsat);
    setField(indata->tlefile, "./visual.txt");
    selectByGlue("ISS");
    const QStringList files = QDir(dir.path()).entryList(QDir::Files);
    setField(indata->savename, dir.path() + "/no/such/dir/satsave.txt");
    EXPECT_EQ((Message{"Save Orbit Track", "*** Problems with the output file"}),
              messageOf([&] { view.vOrbitTrack(); }));
    setField(indata->tlesave, indata->savename);
    EXPECT_EQ((Message{"TLE File Save", "*** ERROR *** while opening or writing TLE Save File"}),
              messageOf([&] { view.vTLESave(); }));
    EXPECT_EQ(files, QDir(dir.path()).entryList(QDir::Files)) << "no other file was touched";
    setField(indata->savename, "*satsave.txt");
    EXPECT_EQ("Track saved on file ./satsave.txt", messageOf([&] { view.vOrbitTrack(); }).text);
    EXPECT_TRUE(QFile::exists(dir.file("satsave.txt"))) << "the default name in the TLE file's directory";
    indata->satno[0] = 400000;
    setField(indata->tlesave, "*orbika.tle");
    indata->tlesvnmset = 1;
    QString question, done;
    whenMessage([&](QMessageBox* box) {
        question = box->text();
        whenMessage([&done](QMessageBox* saved) { done = saved->text(); });
        box->button(QMessageBox::Yes)->click();
    });
    view.vTLESave();
    EXPECT_TRUE(question.startsWith("Catalogue numbers above 339999 do not fit a TLE.")) << question.toStdString();
    EXPECT_EQ("Elements saved as OMM CSV on file ./orbika.csv", done);
    EXPECT_TRUE(QFile::exists(dir.file("orbika.csv")));
    EXPECT_FALSE(QFile::exists(dir.file("orbika.tle"))) << "the user agreed to OMM CSV for a number above 339999";
}

TEST_F(WindowTest, ProblemsOfAnOpenedTleFileInOneMessage)
{
    // The ISS with a bad checksum, a copy with mean motion 0, and eleven more bad checksums.
    const auto withSum = [](std::string line) { return line + tcksum(line.c_str()) + "\n"; };
    const std::string iss1 = "1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  999";
    const std::string iss2 = "2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866\n";
    std::string text = "ISS (ZARYA)\n1 25544U 98067A   26052.86529868  .00010666  00000+0  20704-3 0  9990\n" + iss2 +
                       "STOPPED\n" + withSum("1 99001U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  999") +
                       withSum("2 99001  51.6320 151.0701 0008512 119.8639 240.3195  0.0000000055386");
    for (int k = 0; k < 11; ++k) text += "COPY " + std::to_string(k) + "\n" + iss1 + "1\n" + iss2;
    const QString name = dir.file("problems.txt");
    writeFile(name, text.c_str());
    QString message;
    chooseFile(name, message);
    w.slotFileOpen();
    const QStringList lines = message.split('\n');
    ASSERT_EQ(12, lines.size()) << qPrintable(message);
    EXPECT_EQ(name + ":", lines[0]);
    EXPECT_EQ("ISS (ZARYA) (25544): bad checksum in line 1", lines[1]);
    EXPECT_TRUE(lines[2].startsWith("STOPPED (99001): mean motion 0 is not")) << qPrintable(lines[2]);
    EXPECT_EQ("... and 3 more", lines[11]);
    whenModal<ObSelSatDialog>([](ObSelSatDialog* d) { d->findChild<QPushButton*>("closeButton")->click(); });
    EXPECT_TRUE(messageOf([&] { w.slotInputSelectSat(); }).text.isEmpty()) << "not repeated on selecting";
}

TEST(View, RemovingSatellitesKeepsThePrime)
{
    WinpData in{};
    in.nsat = 4;
    in.prime = 2;
    for (int i = 0; i < in.nsat; ++i) in.satno[i] = 100 + i;
    bool marks[kMaxSat] = {false, false, true, false};
    RemoveSats(&in, marks);
    EXPECT_EQ(std::make_tuple(3, 1, 103, 1), std::make_tuple(in.nsat, in.prime, in.satno[2], in.satremoved))
        << "the prime: the satellite before the removed one";
    bool first[kMaxSat] = {true};
    RemoveSats(&in, first);
    EXPECT_EQ(std::make_tuple(0, 101), std::make_tuple(in.prime, in.satno[0])) << "still satellite 101, now in slot 0";
}
