// Map settings: ground-track map projection, colours and grid, or the sky map and its
// projection, and the information text under the map.
#pragma once

#include <QDialog>

#include <array>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class ObMapDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObMapDialog(QWidget* parent = nullptr);

    // grid: 0 none, 1 30-degree, 2 10-degree; background: 0 white, 1 grey, 2 black; skyproj:
    // 0 zenith, 1-4 horizon band to the north, east, south, west, 5 free azimuth; daynight,
    // skymap, fourdigits: 1 or 0; skyazim: centre of the horizon band, degrees; satview: sky seen
    // from the prime satellite.
    void setParams(int grid, int background, int skyproj, int daynight, int skymap,
                   int fourdigits, double skyazim, bool satview);
    // fontsize: 12 large, else 10; maptype: 0 world outline, 1 northern, 2 southern hemisphere,
    // 3 world image; cenlon: central meridian, degrees; doppler: frequency, Hz; imageok: the
    // world image was loaded (without it maptype 3 is offered as 0).
    void setParamF(int fontsize, bool bold, int maptype, double cenlon, double doppler,
                   bool imageok);
    void getParams(int& grid, int& background, int& skyproj, int& daynight, int& skymap,
                   int& fourdigits, double& skyazim, bool& satview) const;
    void getParamF(int& fontsize, bool& bold, int& maptype, double& cenlon,
                   double& doppler) const;

private:
    // Shows the ground-track or the sky controls and the azimuth field for the checked options.
    void applyRules();
    // A sky projection button was chosen: fixed directions write their azimuth.
    void projectionChosen(int id);

    QButtonGroup* backGroup;
    QButtonGroup* gridGroup;
    QButtonGroup* mapGroup;
    QButtonGroup* skyGroup;
    QGroupBox* gridBox;
    QGroupBox* mapBox;
    QGroupBox* skyprojBox;
    QRadioButton* ppwmButton;
    QLabel* meridianLabel;
    QLineEdit* meridianEdit;
    QCheckBox* skyBox;
    QCheckBox* satskyBox;
    QLabel* azimLabel;
    QLineEdit* azimEdit;
    QCheckBox* nightBox;
    QCheckBox* ra4dBox;
    QCheckBox* fszBox;
    QCheckBox* boldBox;
    QLineEdit* frequEdit;
};
