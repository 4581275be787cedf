// The main window: menus, hot keys, timer modes, the settings file and the save file on cancel.

#include <QAction>
#include <QMenuBar>
#include <QProgressDialog>
#include <QToolBar>

#include <ctime>

#include "core/statevector.h"
#include "gui_helpers.h"

namespace {

using time_units::kSecond;

// The lines of a text file.
QStringList fileLines(const QString& path) { return QString::fromLatin1(readFile(path)).split('\n'); }

// A configuration file in the written layout with the given map font size, TLE file and names.
QByteArray configText(int fontsize, const char* tlefile, const QStringList& names)
{
    QByteArray text = "16 \n48.500000 \n11.250000 \n520.000000 \nMunich\n";
    text += QByteArray::number(fontsize) + " \n1 \n2 \n" + tlefile + "\n1 \n";
    text += "-6.000000 \n10.000000\n2000.000000\n10\n1\n0 \nhttp://example.org/visual.txt\n";
    text += "3.1   160.0   155.0     4.0\n  2.30000e+00   1.30000e+00   1.00000e-02\n";
    text += QByteArray::number(names.size()) + " \n";
    for (const QString& n : names) text += n.toLatin1() + "\n";
    return text;
}

}  // namespace

TEST_F(WindowTest, ShortcutsToolbarCommandTextsAndQuickHelp)
{
    EXPECT_EQ(QSize(837, 560), w.size());
    // Shortcuts are unique, toolbar commands are in the menus, and the quick help names every menu.
    QStringList menuItems, shortcuts;
    for (const QAction* m : w.menuBar()->actions()) {
        for (const QAction* a : m->menu()->actions()) {
            if (a->isSeparator()) continue;
            menuItems << a->text();
            if (!a->shortcut().isEmpty()) {
                EXPECT_FALSE(shortcuts.contains(a->shortcut().toString())) << a->text().toStdString();
                shortcuts << a->shortcut().toString();
            }
        }
    }
    const QToolBar* tools = w.findChild<QToolBar*>();
    ASSERT_NE(nullptr, tools);
    for (const QAction* a : tools->actions())
        EXPECT_TRUE(a->isSeparator() || menuItems.contains(a->text())) << a->text().toStdString();
    const QString help = textShown<ObQuickDialog>("textEdit1", [&] { w.slotQuickHelp(); });
    EXPECT_FALSE(help.contains("$$$"));
    EXPECT_TRUE(help.trimmed().startsWith("ORBIKA QUICK HELP")) << help.left(80).toStdString();
    for (const QAction* menu : w.menuBar()->actions())
        EXPECT_TRUE(help.contains(menu->text().remove('&'))) << menu->text().toStdString();
}

TEST_F(WindowTest, HotKeysAndTimerModes)
{
    // R toggles real time, G delta time; either stops the other; a computing command stops both.
    const std::pair<int, int> keys[] = {{Qt::Key_R, 1}, {Qt::Key_R, 0}, {Qt::Key_R, 1},
                                        {Qt::Key_G, 0}, {Qt::Key_G, 2}, {Qt::Key_Right, 0},
                                        {Qt::Key_G, 2}, {Qt::Key_R, 0}, {Qt::Key_R, 1}};
    for (const auto& [key, mode] : keys) {
        pressKey(&w, key);
        EXPECT_EQ(mode, w.timerMode()) << key;
    }
    w.slotStopTime();
    EXPECT_EQ(std::make_tuple(0, 0, 0), std::make_tuple(w.timerMode(), indata->rtmode, indata->deltamode));
    indata->rtoffset = -3.0;
    const auto clock = [] { return 40587.0 + std::time(nullptr) * kSecond - 3.0 / 24.0; };
    const double before = clock();
    w.getView()->RT_Plot();
    const double plotted = indata->mjd;
    vsNewSat(indata, 0);
    const double after = clock();
    for (double t : {plotted, indata->elepoch[0]}) {
        EXPECT_GE(t, before - kSecond) << "the real-time plot and a new epoch: the clock plus the offset";
        EXPECT_LE(t, after + kSecond);
    }
    const std::tuple<int, int, int> digits[] = {
        {3, Qt::Key_5, 1}, {3, Qt::Key_3, 2}, {kMaxSat, Qt::Key_0, kMaxSat - 1}, {kMaxSat, Qt::Key_1, 0}};
    indata->prime = 1;
    for (const auto& [nsat, key, prime] : digits) {
        indata->nsat = nsat;
        pressKey(&w, key);
        EXPECT_EQ(prime, indata->prime) << "digits choose among the selected (0 the tenth) " << nsat << " " << key;
    }
    indata->nsat = 0;
}

TEST(MainWindow, ExitWritesConfigurationReadBackAtNextStartEvenWithoutItsTleFile)
{
    const ProgramDir dir;
    writeFile(dir.file("orbika.cfg"), configText(10, "./visual.txt", {"ISS"}));
    {
        OrbikaApp w;
        ASSERT_EQ(1, indata->nsat);
        EXPECT_EQ(QString("./visual.txt"), w.getView()->getTLEname());
        indata->obslat = -33.75;
        setField(indata->locname, "Sydney");
        const QStringList before = fileLines(dir.file("orbika.cfg"));
        w.close();
        EXPECT_EQ(before, fileLines(dir.file("orbika.cfg"))) << "closing the window writes nothing";
        w.slotFileQuit();
        QCoreApplication::processEvents();
    }
    QStringList lines = fileLines(dir.file("orbika.cfg"));
    ASSERT_EQ(22, lines.size());  // 21 lines and the empty rest after the last newline
    EXPECT_EQ("-33.750000 ", lines[1]);
    EXPECT_EQ("Sydney", lines[4]);
    EXPECT_EQ("3.1   160.0   155.0     4.0", lines[17]) << "values read are written back";
    EXPECT_TRUE(lines[20].startsWith("ISS (ZARYA)"));
    indata->obslat = 0;
    indata->nsat = 0;
    {
        const OrbikaApp next;
        EXPECT_EQ(-33.75, indata->obslat);
        EXPECT_STREQ("Sydney", indata->locname);
        ASSERT_EQ(1, indata->nsat);
        EXPECT_EQ(25544, indata->satno[0]);
    }
    // A small font, a missing TLE file and its satellites are kept for the next start.
    writeFile(dir.file("orbika.cfg"), configText(8, "./missing.txt", {"ISS", "HST"}));
    {
        OrbikaApp w;
        EXPECT_EQ(QSize(744, 560), w.size());
        EXPECT_EQ(0, indata->nsat);
        QDir::setCurrent(QDir::homePath());
        w.slotFileQuit();
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(QDir(dir.path()).canonicalPath(), QDir(QDir::currentPath()).canonicalPath()) << "exit returns home";
    lines = fileLines(dir.file("orbika.cfg"));
    ASSERT_EQ(23, lines.size());
    EXPECT_EQ("8 ", lines[5]);
    EXPECT_EQ("./missing.txt", lines[8]);
    EXPECT_EQ(QStringList({"2 ", "ISS", "HST"}), lines.mid(19, 3));
}

TEST_F(WindowTest, NextSatellitesNeedTwoAndCancelledAllPassesLeaveTheSaveFile)
{
    writeFile(dir.file("one.txt"), fileLines(dir.file("visual.txt")).mid(0, 3).join('\n').toLatin1());
    for (const auto& [file, text] : {std::pair{"./none.txt", "Unable to open TLE file"},
                                     {"./one.txt", "No suitable satellites found"}}) {
        setField(indata->tlefile, file);
        EXPECT_EQ(text, messageOf([&] { w.slotInputNextSat(); }).text);
        EXPECT_EQ(0, w.timerMode());
    }
    // The bundled entries 40 times over 30 days: minutes of searching, cancelled at once.
    writeFile(dir.file("big.txt"), readFile(dir.file("visual.txt")).repeated(40));
    const QByteArray old = "Geographic Location: an earlier list\n";
    writeFile(dir.file("satsave.txt"), old);
    setField(indata->tlefile, "./big.txt");
    setField(indata->savename, "./satsave.txt");
    indata->duration = 30.0;
    indata->savenew = 0;
    bool cancelled = false;
    whenModal<QProgressDialog>([&cancelled](QProgressDialog* d) { d->cancel(); cancelled = true; });
    w.slotCalcAllSats();
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(old, readFile(dir.file("satsave.txt")));
    EXPECT_EQ(0, indata->savenew);
}
