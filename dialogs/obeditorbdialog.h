// Orbit elements of one satellite, with all dependent elements kept consistent: mean motion,
// semi-major axis, perigee and apogee heights and the drag terms.
#pragma once

#include <QDialog>
#include <QString>

#include "foundation/vec3.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

// What the element editor shows and returns.
struct OrbEdit {
    QString name;            // satellite name
    int norad = 0;           // catalogue number
    QString idsn;            // international designator, e.g. 1998-067A
    double epoch = 0;        // element epoch, MJD UT
    double incl = 0, node = 0, ecc = 0, argp = 0, manom = 0;  // degrees and eccentricity
    double mm = 0;           // mean motion (rev/day), or perigee distance (km) when ecc >= 1
    double sma = 0;          // semi-major axis, km (negative for hyperbolas)
    double ndot = 0;         // half the derivative of the mean motion, rev/day^2
    double adot = 0;         // derivative of the semi-major axis, km/day
    double n2dot = 0;        // second derivative term of the mean motion, rev/day^3
    double bstar = 0;        // SGP4 drag term
    bool sgp4 = false;       // SGP4 mean elements
    bool numeric = false;    // numerically propagated state vector
};

class ObEditOrbDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObEditOrbDialog(QWidget* parent = nullptr);

    void setParams(const OrbEdit& e);
    // The accepted elements; newSat when "New" closed the dialog.
    void getParams(OrbEdit& e, bool& newSat) const;

    // Recomputes the dependent elements from the edited fields and clears the change markers.
    void refresh();
    // Replaces the orbit by a geostationary one above east longitude lon (degrees).
    void setGeo(double lon);
    // Writes the osculating elements of a state vector (mean equator of date, km and km/s) at
    // the UT instant mjd into the fields; SGP4 mean elements while the SGP4 box is checked.
    void setState(double mjd, const Vec3& r, const Vec3& v);

public slots:
    void accept() override;

private:
    // Enables the fields that the checked boxes and the orbit type leave editable.
    void applyRules();
    // Rewrites all fields from the work values.
    void showValues();
    // The epoch from the year and day fields, MJD UT.
    double epochMjd() const;
    void eccEdited();
    void geoSlot();
    void timeSlot();
    void stateSlot();
    void adjustSlot();
    void newSlot();

    QLineEdit* nameEdit;
    QLineEdit* noradEdit;
    QLineEdit* idsnEdit;
    QLineEdit* yearEdit;
    QLineEdit* dayEdit;
    QLineEdit* incEdit;
    QLineEdit* raEdit;
    QLineEdit* eccEdit;
    QLineEdit* aperEdit;
    QLineEdit* m0Edit;
    QLineEdit* n0Edit;
    QLineEdit* aEdit;
    QLineEdit* periEdit;
    QLineEdit* apoEdit;
    QLineEdit* ndotEdit;
    QLineEdit* adotEdit;
    QLineEdit* n2dotEdit;
    QLineEdit* bstarEdit;
    QCheckBox* spg4Box;
    QCheckBox* perapBox;
    QCheckBox* numBox;

    // Work values of the dependent elements.
    double decc = 0, dsmax = 0, dn0 = 0, dndot = 0, dadot = 0, hper = 0, hapo = 0;
    // Change markers: mean motion (1) / semi-major axis (2) / SGP4 box (3); ndot (1) / adot (2);
    // perigee (1) / apogee (2) / eccentricity or inclination (3).
    int n0c = 0, ndc = 0, apc = 0;
    bool numcng = false;     // the numerical-propagation box was toggled
    bool ednwsflg = false;   // store as a new satellite
};
