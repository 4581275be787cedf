// The command table: one action per command with its menu text, shortcut, icon, status tip and
// What's This text, and the menus and the toolbar built from it.
#include <QAction>
#include <QHash>
#include <QApplication>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>
#include <QWhatsThis>

#include <array>
#include <iterator>
#include <vector>

#include "orbikaapp.h"

namespace {

using Cmd = OrbikaApp::Cmd;
using Trigger = void (OrbikaApp::*)();
using Toggle = void (OrbikaApp::*)(bool);

// Initial state of an action.
enum Flags { kPlain = 0, kCheckable = 1, kDisabled = 2 };

// One row of the command table; texts are translated when the action is made.
struct Command {
    Cmd id;
    const char* text;
    const char* shortcut;   // key sequence text, or nullptr
    const char* icon;       // resource name, or nullptr
    const char* statusTip;  // or nullptr
    const char* whatsThis;  // title, blank line, explanation; or nullptr
    int flags;
    Trigger trigger;        // connected to triggered() (plain actions)
    Toggle toggle;          // connected to toggled(bool) (checkable actions)
};

// Icons loaded once at the start of initActions().
constexpr const char* kIcons[] = {
    ":/fileopen.png", ":/filesave.png", ":/satpsels.png", ":/satpnx4p.png", ":/satpdate.png",
    ":/satploc.png",  ":/satppaos.png", ":/satpirid.png", ":/satpfind.png", ":/satpxorb.png",
    ":/satprtim.png", ":/satpdltm.png", ":/satppass.png", ":/satprefr.png", ":/satpswss.png",
    ":/satpsmap.png", ":/satpvisb.png", ":/satptstp.png"};

const Command kCommands[] = {
    {Cmd::FileOpen, "&Open TLE File...", "Ctrl+F", ":/fileopen.png",
     "Opens a Two Line Element file",
     "Open TLE File\n\nOpens an existing Two Line Element file. A TLE file contains orbit "
     "elements in a particular widely used format.",
     kPlain, &OrbikaApp::slotFileOpen, nullptr},
    {Cmd::FileUpdate, "Onl&ine TLE Update", "Ctrl+I", nullptr, "Download of TLE files",
     "Online TLE Update\n\nUpdates the current TLE file from a web address. Other TLE files can "
     "be downloaded into the current directory. You must be online.",
     kPlain, &OrbikaApp::slotFileUpdate, nullptr},
    {Cmd::FileSave, "&Save", nullptr, ":/filesave.png", "Saves the result of the AOS calculation",
     "Save File\n\nSaves whatever result text is displayed (AOS times, transits, flares...) on "
     "the save file. Consecutive saves are appended to the file.",
     kPlain, &OrbikaApp::slotFileSave, nullptr},
    {Cmd::FileSaveAs, "Save &as...", nullptr, nullptr,
     "Saves the result of the AOS calculations under a new filename",
     "Save As\n\nSaves the most recent result under a new file name.", kPlain,
     &OrbikaApp::slotFileSaveAs, nullptr},
    {Cmd::FileTLESave, "Save &TLE", nullptr, nullptr, "Saves the currently used orbit elements.",
     "Save TLE\n\nSaves the orbit elements of the selected satellites as TLEs on the current TLE "
     "save file. Former entries of the same satellites are replaced.",
     kPlain, &OrbikaApp::slotFileTLESave, nullptr},
    {Cmd::FileTLESaveAs, "Save T&LE as...", nullptr, nullptr,
     "Saves the currently used orbit elements under a new filename",
     "Save TLE As\n\nSaves the TLEs of the selected satellites on a new file.", kPlain,
     &OrbikaApp::slotFileTLESaveAs, nullptr},
    {Cmd::FilePicture, "&Picture...", nullptr, nullptr, nullptr,
     "Load Picture\n\nOpens an existing image file (PNG, JPEG or BMP).", kPlain,
     &OrbikaApp::slotFilePicture, nullptr},
    {Cmd::FileQuit, "E&xit", "Ctrl+Q", nullptr, "Quits Orbika",
     "Exit\n\nQuits Orbika and saves the site, the TLE file, the selected satellites and "
     "various other settings for the next start.",
     kPlain, &OrbikaApp::slotFileQuit, nullptr},

    {Cmd::InputSelectSat, "&Select Satellite", "Ctrl+S", ":/satpsels.png",
     "Select Satellite from TLE file.",
     "Select Satellite\n\nSelects satellites from the active TLE file. Up to 10 satellites can "
     "be selected; with 10 in the list the last one is overwritten.",
     kPlain, &OrbikaApp::slotInputSelectSat, nullptr},
    {Cmd::InputRemoveSat, "&Remove Satellite", "Ctrl+Z", nullptr,
     "Removes satellites from the list of selected satellites.",
     "Remove Satellite\n\nRemoves satellites from the list of selected satellites.", kPlain,
     &OrbikaApp::slotInputRemoveSat, nullptr},
    {Cmd::InputNextSat, "&Next Satellites", "Ctrl+P", ":/satpnx4p.png",
     "Selects the next satellites which will pass the observation site.",
     "Next Satellites\n\nSelects up to 10 satellites of the TLE file that will pass next and "
     "satisfy the visibility conditions. The satellites selected before are replaced.",
     kPlain, &OrbikaApp::slotInputNextSat, nullptr},
    {Cmd::InputDate, "&Date", "Ctrl+D", ":/satpdate.png", "Input date and timezone",
     "Date\n\nSelects the start date and time of the calculations and the time zone.", kPlain,
     &OrbikaApp::slotInputDate, nullptr},
    {Cmd::InputLocation, "&Location", "Ctrl+C", ":/satploc.png", "Set the observation site.",
     "Location\n\nSets the coordinates of the observation site, in decimal degrees or in "
     "DDD.MMss.",
     kPlain, &OrbikaApp::slotInputLocation, nullptr},
    {Cmd::InputIers, "&IERS Parameters", nullptr, nullptr, "Set IERS Parameters",
     "IERS Parameters\n\nSets the polar motion x and y, UT1-UTC and UTC-TAI as published in the "
     "IERS Bulletins B and C.",
     kPlain, &OrbikaApp::slotInputIers, nullptr},

    {Cmd::CalcAOS, "&AOS", "Ctrl+A", ":/satppaos.png", "Calculate visibility times for passes.",
     "AOS\n\nCalculates the visibility times of the passes of the prime satellite within the "
     "calculation interval.",
     kPlain, &OrbikaApp::slotCalcAOS, nullptr},
    {Cmd::CalcAllSats, "All Satellite &Passes", nullptr, nullptr,
     "Calculate visibility times for passes of all satellites.",
     "All Satellite Passes\n\nCalculates the passes of all satellites of the TLE file and writes "
     "them, sorted by time, on the save file.",
     kPlain, &OrbikaApp::slotCalcAllSats, nullptr},
    {Cmd::CalcOrbitTrack, "Write &Orbit Track", "Ctrl+O", nullptr,
     "Write the orbit track on file.",
     "Write Orbit Track\n\nWrites the coordinates of the ground track (or of the flare or transit "
     "track) of the prime satellite on the save file.",
     kPlain, &OrbikaApp::slotCalcOrbitTrack, nullptr},
    {Cmd::CalcIridium, "&Iridium Flares", nullptr, ":/satpirid.png", "Calculate Iridium Flares.",
     "Iridium Flares\n\nCalculates times, positions and magnitudes of Iridium flares. The orbit "
     "elements are expected in the file IRIDIUM.TXT in the directory of the TLE file.",
     kPlain, &OrbikaApp::slotCalcIridium, nullptr},
    {Cmd::CalcMatch, "&Find Matching Sats", nullptr, ":/satpfind.png",
     "Find satellites which match a particular position and time.",
     "Find Matching Sats\n\nLists the satellites of the TLE file that pass a given sky position "
     "within a given time interval.",
     kPlain, &OrbikaApp::slotCalcMatch, nullptr},

    {Cmd::ManvEdit, "&Edit Orbit Elements", "Ctrl+E", ":/satpxorb.png",
     "Edit orbit elements of selected satellite.",
     "Edit Orbit Elements\n\nShows the orbit elements of the prime satellite for editing.",
     kPlain, &OrbikaApp::slotManvEdit, nullptr},
    {Cmd::ManvDeltaV, "Delta-&V", nullptr, nullptr,
     "Perform a delta-v maneuver or continuous thrust of selected satellite.",
     "Delta-V\n\nApplies an impulsive velocity change (km/s) in a given yaw and pitch direction, "
     "or a continuous thrust, to the prime satellite.",
     kPlain, &OrbikaApp::slotManvDeltaV, nullptr},
    {Cmd::ManvLaunch, "&Launch", "Ctrl+L", nullptr, "Calculate a launch orbit.",
     "Launch\n\nCalculates the orbit of a launch from a launch site at a given time, with a "
     "given inclination, apogee and perigee.",
     kPlain, &OrbikaApp::slotManvLaunch, nullptr},
    {Cmd::ManvRendz, "&Rendezvous", nullptr, nullptr, "Rendezvous Launch Orbit.",
     "Rendezvous\n\nCalculates a launch orbit that meets the selected satellite.", kPlain,
     &OrbikaApp::slotManvRendz, nullptr},
    {Cmd::ManvOrbDet, "&Orbit Determination", nullptr, nullptr,
     "Determine a circular orbit during a pass.",
     "Orbit Determination\n\nDetermines the elements of a circular orbit from two observations "
     "made during one pass.",
     kPlain, &OrbikaApp::slotManvOrbDet, nullptr},

    {Cmd::PlotRT, "&Real Time", "Ctrl+R", ":/satprtim.png",
     "Plot Real Time positions of selected satellites.",
     "Real Time\n\nPlots the positions of the selected satellites in real time on the world map "
     "or the sky map. Repeat the command to stop.",
     kPlain, &OrbikaApp::slotPlotRT, nullptr},
    {Cmd::PlotDelta, "&Delta Time", "Ctrl+G", ":/satpdltm.png",
     "Plot satellite trajectory over a specified time interval.",
     "Delta Time\n\nPlots the trajectories of the selected satellites over the calculation "
     "interval in time steps. Repeat the command to stop.",
     kPlain, &OrbikaApp::slotPlotDelta, nullptr},
    {Cmd::PlotCurrent, "&Current Step", "Ctrl+U", nullptr,
     "Current positions of selected satellites.",
     "Current Step\n\nShows the positions of the selected satellites at the set time.", kPlain,
     &OrbikaApp::slotPlotCurrent, nullptr},
    {Cmd::PlotNext, "&Next Pass", nullptr, ":/satppass.png",
     "Jumps to the (maximum) position of the next pass.",
     "Next Pass\n\nShows the prime satellite at the maximum of its next pass that satisfies the "
     "visibility conditions.",
     kPlain, &OrbikaApp::slotPlotNext, nullptr},
    {Cmd::PlotLast, "&Last Pass", nullptr, nullptr,
     "Jumps to the (maximum) position of the last pass.",
     "Last Pass\n\nShows the prime satellite at the maximum of its previous pass that satisfies "
     "the visibility conditions.",
     kPlain, &OrbikaApp::slotPlotLast, nullptr},
    {Cmd::PlotForward, "Step &Forward", nullptr, nullptr, "Moves one time step forward.",
     "Step Forward\n\nMoves one time step forward. Normally the right arrow key is used.", kPlain,
     &OrbikaApp::slotPlotForward, nullptr},
    {Cmd::PlotBackward, "Step &Backward", nullptr, nullptr, "Moves one time step backward.",
     "Step Backward\n\nMoves one time step backward. Normally the left arrow key is used.",
     kPlain, &OrbikaApp::slotPlotBackward, nullptr},

    {Cmd::ViewRefresh, "&Refresh", nullptr, ":/satprefr.png", "Refresh the screen display",
     "Refresh\n\nRefreshes the map and deletes all tracks.", kPlain,
     &OrbikaApp::slotViewRefresh, nullptr},
    {Cmd::ViewSwitch, "S&witch", "Ctrl+W", ":/satpswss.png", "Switch satellites",
     "Switch\n\nSelects a new prime satellite among the selected ones. Also switches the "
     "relative satellite mode on or off.",
     kPlain, &OrbikaApp::slotViewSwitch, nullptr},
    {Cmd::ViewMap, "Ma&p View/Sky Map", "Ctrl+Y", ":/satpsmap.png",
     "Specify world map or sky map parameters.",
     "Map View/Sky Map\n\nSets the map parameters (background colour, grid) and switches between "
     "the world map and the sky maps.",
     kPlain, &OrbikaApp::slotViewMap, nullptr},
    {Cmd::ViewText, "Show Last Te&xt", "Ctrl+X", nullptr, "Switch to the last text display",
     "Show Last Text\n\nSwitches to the last text display.", kPlain, &OrbikaApp::slotViewText,
     nullptr},
    {Cmd::ViewNames, "Show &Names", "Ctrl+N", nullptr,
     "Show satellites names next to their respective positions.",
     "Show Names\n\nShows the names of the satellites next to their positions. In real-time and "
     "delta-time mode the names stay until the command is repeated.",
     kCheckable, nullptr, &OrbikaApp::slotViewNames},
    {Cmd::ViewPicture, "Show Pict&ure", nullptr, nullptr, "Show loaded picture.",
     "Show Picture\n\nToggles between the loaded picture and the maps.",
     kCheckable | kDisabled, nullptr, &OrbikaApp::slotViewPicture},
    {Cmd::ViewVisibility, "&Visibility", "Ctrl+V", ":/satpvisb.png",
     "Sets the visibility parameters for AOS calculations etc.",
     "Visibility\n\nSets the minimum satellite elevation, the maximum Sun elevation, and the "
     "occultation and flare parameters.",
     kPlain, &OrbikaApp::slotViewVisibility, nullptr},
    {Cmd::ViewStep, "&Time Step", "Ctrl+T", ":/satptstp.png",
     "Specify the time step used for the delta time calculations",
     "Time Step\n\nSets the time step in minutes and seconds. Fractions of seconds are allowed.",
     kPlain, &OrbikaApp::slotViewStep, nullptr},
    {Cmd::ViewMagnitude, "&Magnitude", "Ctrl+M", nullptr,
     "Specify the parameter for the apparent magnitude of the satellite.",
     "Magnitude\n\nSets the characteristic length of the satellite. A length above 0 shows the "
     "apparent magnitude below the map.",
     kPlain, &OrbikaApp::slotViewMagnitude, nullptr},
    {Cmd::ViewFontSize, "Font Si&ze", nullptr, nullptr, "Set the font size for the screen display",
     "Font Size\n\nSpecifies the font size (8 to 12) for the screen display.", kPlain,
     &OrbikaApp::slotViewFontSize, nullptr},
    {Cmd::ViewLeft, "Enable &Left Button", nullptr, nullptr,
     "Enable left mouse button clicks for map and pass details.",
     "Enable Left Button\n\nMap and pass details are normally shown by a right click. This also "
     "allows the left mouse button.",
     kCheckable, nullptr, &OrbikaApp::slotViewLeft},
    {Cmd::Size25, "Set Picture Size &25%", nullptr, nullptr, nullptr, nullptr, kDisabled,
     &OrbikaApp::size25, nullptr},
    {Cmd::Size50, "Set Picture Size &50%", nullptr, nullptr, nullptr, nullptr, kDisabled,
     &OrbikaApp::size50, nullptr},
    {Cmd::NormalSize, "Norm&al Size", nullptr, nullptr, nullptr, nullptr, kDisabled,
     &OrbikaApp::normalSize, nullptr},
    {Cmd::ViewToolBar, "Tool&bar", nullptr, nullptr, "Enables/disables the toolbar",
     "Toolbar\n\nEnables/disables the toolbar", kCheckable, nullptr,
     &OrbikaApp::slotViewToolBar},
    {Cmd::ViewStatusBar, "&Statusbar", nullptr, nullptr, "Enables/disables the statusbar",
     "Statusbar\n\nEnables/disables the statusbar", kCheckable, nullptr,
     &OrbikaApp::slotViewStatusBar},

    {Cmd::SettSysConf, "&Configure System", nullptr, nullptr, "Configure System Parameters",
     "Configure System\n\nSets the default spacecraft and space weather parameters and the "
     "tolerance of the numerical integration.",
     kPlain, &OrbikaApp::slotSettSysConf, nullptr},

    {Cmd::HelpAbout, "&About...", nullptr, nullptr, "About the application",
     "About\n\nAbout the application", kPlain, &OrbikaApp::slotHelpAbout, nullptr},
    {Cmd::HelpQuick, "&Help...", nullptr, nullptr, "Quick help",
     "Help\n\nA summary help of how to use Orbika.", kPlain, &OrbikaApp::slotQuickHelp, nullptr},
};

// Separator in the menu and toolbar lists.
constexpr int kSep = -1;

// The eight menus in menu-bar order.
struct MenuList {
    const char* title;
    std::vector<int> items;
};

const MenuList kMenus[] = {
    {"&File", {Cmd::FileOpen, Cmd::FileUpdate, kSep, Cmd::FileSave, Cmd::FileSaveAs, kSep,
               Cmd::FileTLESave, Cmd::FileTLESaveAs, kSep, Cmd::FilePicture, kSep,
               Cmd::FileQuit}},
    {"&Input", {Cmd::InputSelectSat, Cmd::InputRemoveSat, Cmd::InputNextSat, kSep,
                Cmd::InputDate, Cmd::InputLocation, kSep, Cmd::InputIers}},
    {"&Calculate", {Cmd::CalcAOS, Cmd::CalcAllSats, Cmd::CalcOrbitTrack, kSep, Cmd::CalcIridium,
                    kSep, Cmd::CalcMatch}},
    {"&Maneuver", {Cmd::ManvEdit, kSep, Cmd::ManvDeltaV, Cmd::ManvLaunch, Cmd::ManvRendz, kSep,
                   Cmd::ManvOrbDet}},
    {"&Plot", {Cmd::PlotRT, Cmd::PlotDelta, Cmd::PlotCurrent, kSep, Cmd::PlotNext,
               Cmd::PlotLast, kSep, Cmd::PlotForward, Cmd::PlotBackward}},
    {"&View", {Cmd::ViewRefresh, Cmd::ViewSwitch, kSep, Cmd::ViewMap, Cmd::ViewText,
               Cmd::ViewNames, Cmd::ViewPicture, kSep, Cmd::ViewVisibility, Cmd::ViewStep,
               Cmd::ViewMagnitude, kSep, Cmd::ViewFontSize, Cmd::ViewLeft, kSep, Cmd::Size25,
               Cmd::Size50, Cmd::NormalSize, kSep, Cmd::ViewToolBar, Cmd::ViewStatusBar}},
    {"&Settings", {Cmd::SettSysConf}},
    {"&Help", {Cmd::HelpAbout, Cmd::HelpAboutQt, kSep, Cmd::HelpQuick, kSep,
               Cmd::HelpWhatsThis}},
};

// The toolbar "operations".
const int kToolBar[] = {
    Cmd::FileOpen, Cmd::FileSave, kSep, Cmd::InputSelectSat, Cmd::InputNextSat, Cmd::InputDate,
    Cmd::InputLocation, kSep, Cmd::ManvEdit, kSep, Cmd::CalcAOS, Cmd::CalcIridium,
    Cmd::CalcMatch, kSep, Cmd::ViewVisibility, Cmd::ViewStep, Cmd::ViewSwitch, kSep,
    Cmd::PlotRT, Cmd::PlotDelta, Cmd::PlotNext, kSep, Cmd::ViewMap, Cmd::ViewRefresh, kSep,
    kSep, Cmd::HelpWhatsThis};

}  // namespace

void OrbikaApp::initActions()
{
    QHash<QString, QPixmap> icons;
    for (const char* name : kIcons)
        icons.insert(QString::fromLatin1(name), QPixmap(QString::fromLatin1(name)));

    for (const Command& c : kCommands) {
        auto* a = new QAction(tr(c.text), this);
        if (c.shortcut)
            a->setShortcut(QKeySequence(QString::fromLatin1(c.shortcut)));
        if (c.icon)
            a->setIcon(icons.value(QString::fromLatin1(c.icon)));
        if (c.statusTip)
            a->setStatusTip(tr(c.statusTip));
        if (c.whatsThis)
            a->setWhatsThis(tr(c.whatsThis));
        a->setCheckable(c.flags & kCheckable);
        a->setEnabled(!(c.flags & kDisabled));
        if (c.toggle)
            connect(a, &QAction::toggled, this, c.toggle);
        else
            connect(a, &QAction::triggered, this, c.trigger);
        actions[c.id] = a;
    }

    auto* aboutQt = new QAction(tr("About &Qt"), this);
    aboutQt->setStatusTip(tr("Show the Qt library's About box"));
    connect(aboutQt, &QAction::triggered, qApp, &QApplication::aboutQt);
    actions[Cmd::HelpAboutQt] = aboutQt;

    QAction* whatsThis = QWhatsThis::createAction(this);
    whatsThis->setStatusTip(tr("What's This?"));
    actions[Cmd::HelpWhatsThis] = whatsThis;
}

void OrbikaApp::initMenuBar()
{
    std::array<QMenu**, std::size(kMenus)> menus = {&fileMenu,     &inputMenu, &calcMenu,
                                                    &maneuverMenu, &plotMenu,  &viewMenu,
                                                    &settingsMenu, &helpMenu};
    for (std::size_t m = 0; m < std::size(kMenus); ++m) {
        QMenu* menu = menuBar()->addMenu(tr(kMenus[m].title));
        for (int item : kMenus[m].items) {
            if (item == kSep)
                menu->addSeparator();
            else
                menu->addAction(actions[item]);
        }
        *menus[m] = menu;
    }
}

void OrbikaApp::initToolBar()
{
    toolBar = addToolBar(tr("operations"));
    for (int item : kToolBar) {
        if (item == kSep)
            toolBar->addSeparator();
        else
            toolBar->addAction(actions[item]);
    }
}
