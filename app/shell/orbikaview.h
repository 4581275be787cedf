// The central view: shows the text page of the output buffer (or a loaded picture) and holds one
// handler per command, which fills a dialog from the settings record, writes the accepted values
// back, runs the computation and shows the result. The map page is drawn by the world-map
// renderer and a loaded picture by the picture view, both held here.
#pragma once

#include <array>
#include <string>

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>

#include "core/records.h"
#include "pictureview.h"
#include "worldmaprenderer.h"

class QImage;

class OrbikaView : public QWidget {
    Q_OBJECT
public:
    // Runs the start-up routine (defaults, configuration file, welcome page, re-selection of the
    // stored satellites) and shows the welcome page.
    explicit OrbikaView(QWidget* parent);

    // Small members of the main window's commands.
    void setFont(int n);
    int getFsz() const { return fsz; }
    bool getLeft() const;
    void vLeft(bool b);
    // Makes satellite n (counting from 1) the prime satellite when n satellites are selected.
    void keyPress(int n);
    void goHome();
    // The TLE file name, empty when there is none or it is a default name starting with '*'.
    QString getTLEname() const;
    void setTLEname(const QString& s);
    void setSaveName(const QString& s);
    void setTSaveName(const QString& s);
    QString getSaveName() const;
    QString getTSaveName() const;

    // Text pages: the output buffer drawn into the text image.
    void showtxt(bool fixedTagged);
    void showSattxt();
    // Switches between the last text page and the map.
    void vText();
    // Shows the last text page again (the commands whose display is not built yet).
    void showLastText();

    // Command handlers (settings, selection and text results).
    // Shows the problems of the TLE file's entries (bad checksums, impossible elements) in one
    // warning, once for each file and version of it.
    void vCheckTle();
    void vSelectSat();
    void vRemoveSat();
    int vNextSat();
    int vInputDate();
    int vInputLocation();
    void vLocalInf();
    void vLocalPass();
    void vSetIERS();
    void vSysConf();
    void vStep();
    void vSwitch();
    void vMag();
    void vCalcAOS();
    void vAllSat();
    void vOrbitTrack();
    void vTLESave();
    void vFileSave();
    void showPassDetails(int i);
    void vQuit();

    // Commands of the flare, matching, orbit editing and map dialogs.
    void vIridium();
    void vMatch();
    void vEditOrb();
    void vDeltaV();
    void vLaunch();
    void vRendz();
    void vOrbDet();
    void vVisibility();
    void vMapDialog();

    // Plot modes.
    void vRefresh();
    // One plot step at the instant mjd; circles asks for footprints.
    void SatPlot(double mjd, int circles);
    void vRefreshP();
    void vCurrent();
    void vForward();
    void vBackward();
    void vPlotNext();
    void vPlotLast();
    void vNames(bool on);
    void RT_Plot();
    // One delta-time step; true when the interval is finished.
    bool PlotDelta();
    // The view's side of starting (1 real time, 2 delta time) and stopping (0) the timer modes.
    void vTmCheck(int mode);
    void scrollDsp(int dx, int dy);

    // Loaded picture and its astrometry.
    void vPicture(const QImage& image);
    void vPicSwitch(bool on);
    void vImage(int size);
    // A click at x, y on the shown picture: reference star 1 to 3, then trail points.
    void astroEvent(int x, int y, bool left);
    // The plot step on the calibrated picture: the selected satellites at the instant mjd.
    void PicPlot(double mjd);

    // Online TLE update: asks for the address and splits it into the host, the path and the
    // target file in the directory of the current TLE file; 0 when an address was accepted.
    int vUpdate(QString& hostName, QString& urlPath, QString& fileName);

    // Pass line under the text-page y coordinate y (index into the listed passes), or -1.
    int passAt(int y) const;
    // Number of pass lines recorded for clicks, and the top of pass line k in the text image.
    int passLines() const { return nepos; }
    int passLineTop(int k) const { return epos[k]; }
    const QPixmap& textImage() const { return pmText; }

    // World map: geometry, map clicks and the pixmaps of the map page.
    // Pixel of a geographic position (degrees) on the current ground-track map.
    QPoint PxCoord(double lat, double lon) const { return map.PxCoord(indata, lat, lon); }
    // Geographic position (degrees) of pixel p; lat -100 when p is off a polar map.
    void CoordPx(const QPoint& p, double& lat, double& lon) const { map.CoordPx(indata, p, lat, lon); }
    // Local visibility box for the clicked map pixel (x, y).
    void getMapPos(int x, int y);
    const QPixmap& canvasImage() const { return map.canvas(); }
    const QPixmap& displayImage() const { return map.display(); }
    QPoint lastPixel(int slot) const { return map.lastPixel(slot); }

    // Flares, transits and occultations: the Sun/Moon disc view and the Iridium flare search.
    // Pixel of slot in the disc view of body (1 Sun, otherwise the Moon); y -10 when not drawn.
    QPoint PxCdSun(int slot, int body) const { return map.discPixel(indata, satps, slot, body); }
    // Iridium flare search over the current TLE file after the Iridium dialog; shows the flare
    // page (or with autosave writes it to the save file).
    void CmIridium();

private:
    // Whether the plot step at mjd has to redraw the base map first.
    bool needsRefresh(double mjd) const;
    // Shows the map page when the text page is up, then plots the instant mjd.
    void plotFrom(double mjd);
    // Jumps to the next (or last) pass of the prime satellite.
    void plotPass(bool next);

    WorldMapRenderer map;          // the map page: base map, information strip, markers, tracks
    PictureView picture;           // the loaded picture and what is written on it
    bool inmappos = false;         // a map click is being evaluated

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    // Draws the output buffer into the text image; passList records the pass line positions and
    // draws tagged lines fixed-pitch from their second character on.
    void drawPage(bool fixedTagged, bool passList);
    // Shows the text image from its top.
    void showPage();
    // Sizes the widget to the map page: the shown picture, or the map.
    void fitMapPage();
    // Sets the event type of the pass searches from the visibility settings and asks for the
    // largest event distance of transits and flares; false (event type unchanged) when cancelled.
    bool prepareEvents();
    // Current event type (iridmode) implied by the visibility settings.
    int eventMode() const;
    // Asks whether elements that do not fit a TLE are saved as OMM CSV in csvName.
    bool askCsvSave(const std::string& csvName);
    // Tells the result of SaveTle into the file name.
    void reportTleSave(int result, const QString& name);

    QString checkedTle;            // TLE file (path and modification time) last checked
    int fsz = 10;                  // current map and text font size
    bool localMode = false;        // local visibility for a location entered on the spot
    int dsplmd = 1;                // 1 text page, 2 pass list page, 3 map
    std::array<int, kMaxPasses> epos{};  // top of each pass line of the pass list page
    int nepos = 0;                 // entries of epos in use
    int pageAscent = 0;            // line spacing of the text page, pixels
    double deltaend = 0;           // MJD at which the delta-time plot stops
    QPixmap pmText;

    // The visible top-left corner of the scrolled picture.
    QPoint visibleCorner() const;
};
