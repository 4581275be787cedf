// Visibility conditions and the special geometries of occultations, transits, flares and
// eclipses.
#pragma once

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

class ObVisDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObVisDialog(QWidget* parent = nullptr);

    // maxsun, minsat: elevation limits, degrees; epoch: year of the sky coordinates; yaw, pitch:
    // reflecting-surface angles in degrees or target R.A. (h.mmss) and Dec. (d.mmss);
    // visonly, moonvis: 1 or 0.
    void setParams(double maxsun, double minsat, double epoch, double yaw, double pitch,
                   int visonly, int moonvis);
    // smplot: Sun/Moon plot; occ: 0 none, 1 Sun, 2 Moon, 3 R.A./Dec.; irid: 3 Iridium flares;
    // flare: flare search; known: +-1 local, +-2 inertial attitude, negative = surface unknown;
    // flrmag: show flare magnitude; flrmax: largest flare magnitude; cyl: cylindrical flares.
    void setParam2(int smplot, int occ, int irid, int flare, int known, int yawsteer, bool ecl,
                   bool solpanel, bool flrmag, double flrmax, bool cyl);
    void getParams(double& maxsun, double& minsat, double& epoch, double& yaw, double& pitch,
                   int& visonly, int& moonvis) const;
    void getParam2(int& smplot, int& occ, int& irid, int& flare, int& known, int& yawsteer,
                   bool& ecl, bool& solpanel, bool& flrmag, double& flrmax, bool& cyl) const;

private:
    // Checking one of the four calculation modes clears the other three.
    void exclude(QCheckBox* mode);
    // Shows, enables and relabels the controls for the checked options.
    void applyRules();

    QLineEdit* sunelEdit;
    QLineEdit* satelEdit;
    QLineEdit* epochEdit;
    QCheckBox* visBox;
    QCheckBox* moonBox;
    QCheckBox* occBox;
    QGroupBox* occGroup;
    QRadioButton* sunButton;
    QRadioButton* moonButton;
    QRadioButton* radecButton;
    QCheckBox* smplotBox;
    QCheckBox* flarBox;
    QCheckBox* knownBox;
    QCheckBox* localBox;
    QCheckBox* ystBox;
    QCheckBox* solfBox;
    QCheckBox* cylBox;
    QLabel* yawLabel;
    QLineEdit* yawEdit;
    QLabel* pitchLabel;
    QLineEdit* pitchEdit;
    QCheckBox* flrmagBox;
    QLabel* flrmxLabel;
    QLineEdit* flrmxEdit;
    QCheckBox* iridBox;
    QCheckBox* eclBox;
};
