// The main window: command table, menus, toolbar, status bar, the scroll area holding the view,
// the plotting timer and the hot keys. Every command ends in one member function of the view.
// The online TLE update runs through an OnlineUpdate object the window owns.
#pragma once

#include <array>
#include <functional>
#include <memory>

#include <QMainWindow>
#include <QString>

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QScrollArea;
class QTimer;
class QToolBar;
class OrbikaView;

// The program directory at start, the start directory of the picture dialog, the current TLE
// file name, the map font size and the picture scale (0 normal, 2 half, 3 quarter).
extern QString APPDIR;
extern QString CFDIR;
extern QString TLEname;
extern int fntsz;
extern int picsize;

class OrbikaApp : public QMainWindow {
    Q_OBJECT
public:
    // Every command of the menus and the toolbar, in menu order.
    enum Cmd {
        FileOpen, FileUpdate, FileSave, FileSaveAs, FileTLESave, FileTLESaveAs, FilePicture,
        FileQuit,
        InputSelectSat, InputRemoveSat, InputNextSat, InputDate, InputLocation, InputIers,
        CalcAOS, CalcAllSats, CalcOrbitTrack, CalcIridium, CalcMatch,
        ManvEdit, ManvDeltaV, ManvLaunch, ManvRendz, ManvOrbDet,
        PlotRT, PlotDelta, PlotCurrent, PlotNext, PlotLast, PlotForward, PlotBackward,
        ViewRefresh, ViewSwitch, ViewMap, ViewText, ViewNames, ViewPicture, ViewVisibility,
        ViewStep, ViewMagnitude, ViewFontSize, ViewLeft, Size25, Size50, NormalSize,
        ViewToolBar, ViewStatusBar,
        SettSysConf,
        HelpAbout, HelpAboutQt, HelpQuick, HelpWhatsThis,
        CmdCount
    };

    explicit OrbikaApp(QWidget* parent = nullptr);
    ~OrbikaApp() override;

    QAction* action(Cmd c) const { return actions[c]; }
    OrbikaView* getView() const { return view; }
    // What the timer does: 0 idle, 1 real-time plot, 2 delta-time plot.
    int timerMode() const { return tmMode; }

public slots:
    void slotFileOpen();
    void slotFileUpdate();
    void slotFileSave();
    void slotFileSaveAs();
    void slotFileTLESave();
    void slotFileTLESaveAs();
    void slotFilePicture();
    void slotFileQuit();
    void slotInputSelectSat();
    void slotInputRemoveSat();
    void slotInputNextSat();
    void slotInputDate();
    void slotInputLocation();
    void slotInputIers();
    void slotCalcAOS();
    void slotCalcAllSats();
    void slotCalcOrbitTrack();
    void slotCalcIridium();
    void slotCalcMatch();
    void slotManvEdit();
    void slotManvDeltaV();
    void slotManvLaunch();
    void slotManvRendz();
    void slotManvOrbDet();
    void slotPlotRT();
    void slotPlotDelta();
    void slotPlotCurrent();
    void slotPlotNext();
    void slotPlotLast();
    void slotPlotForward();
    void slotPlotBackward();
    void slotViewRefresh();
    void slotViewSwitch();
    void slotViewMap();
    void slotViewText();
    void slotViewNames(bool on);
    void slotViewPicture(bool on);
    void slotViewLeft(bool on);
    void slotViewVisibility();
    void slotViewStep();
    void slotViewMagnitude();
    void slotViewFontSize();
    void slotViewToolBar(bool on);
    void slotViewStatusBar(bool on);
    void slotSettSysConf();
    void slotHelpAbout();
    void slotQuickHelp();
    void slotStopTime();
    void slotTmCheck();
    void size25();
    void size50();
    void normalSize();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void initActions();
    void initMenuBar();
    void initToolBar();
    void initStatusBar();
    void initView();
    // Shows msg, stops the timer when stopTimer is set, runs the command and shows "Ready.".
    void command(const QString& msg, bool stopTimer, const std::function<void()>& run);
    // Shows msg, stops the timer and asks for a file name in a save dialog; an empty answer shows
    // notSelected, otherwise save runs with the name.
    void saveAs(const QString& msg, const QString& title, const QString& start,
                const QString& filter, const QString& notSelected,
                const std::function<void(const QString&)>& save);
    // Starts timer mode mode (interval ms) when the timer is idle, else stops it.
    void toggleTimer(int mode, int interval);
    // Scroll bars of the central scroll area to 0.
    void scrollHome();
    // Handles the hot keys of the letters, digits and navigation keys; false for other keys.
    bool hotKey(int key);

    OrbikaView* view = nullptr;
    std::unique_ptr<QLabel> pictureLabel;  // parentless: the window deletes it
    QScrollArea* scrollArea = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* inputMenu = nullptr;
    QMenu* calcMenu = nullptr;
    QMenu* maneuverMenu = nullptr;
    QMenu* plotMenu = nullptr;
    QMenu* viewMenu = nullptr;
    QMenu* settingsMenu = nullptr;
    QMenu* helpMenu = nullptr;
    QToolBar* toolBar = nullptr;
    std::array<QAction*, CmdCount> actions{};
    QTimer* timer = nullptr;
    int tmMode = 0;

    // Online TLE update: the download object, created with the first update, and its end.
public slots:
    void httpDone(bool error);

private:
    class OnlineUpdate* httpClient();
    // True when address was not downloaded within the last hour, or the user wants it again.
    bool confirmRepeat(const QString& address);
    // Shows the running download's progress with a Cancel button until it ends.
    void showUpdateProgress();
    class OnlineUpdate* http = nullptr;
};
