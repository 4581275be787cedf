// Inputs of the search for catalogued satellites that passed an observed point of the sky.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

class ObMatchDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObMatchDialog(QWidget* parent = nullptr);

    // azra, eldec: centre as azimuth and elevation (degrees) or, with radec, R.A. (h.mmss) and
    // Dec. (d.mmss); maxdist: degrees; direction: position angle of the motion (degrees, 0 up,
    // 90 right); interval: half window, minutes; dirsearch: filter by direction; brightonly:
    // skip fragment debris.
    void setParams(double azra, double eldec, double maxdist, double direction, double interval,
                   bool radec, bool dirsearch, bool brightonly);
    void getParams(double& azra, double& eldec, double& maxdist, double& direction,
                   double& interval, bool& radec, bool& dirsearch, bool& brightonly) const;

private:
    // Labels the centre fields for the coordinate kind and enables the direction field.
    void applyRules();

    QLabel* azLabel;
    QLabel* elLabel;
    QLineEdit* azEdit;
    QLineEdit* elEdit;
    QLineEdit* mxaEdit;
    QLineEdit* draEdit;
    QLineEdit* tmEdit;
    QCheckBox* raBox;
    QCheckBox* drfBox;
    QCheckBox* visBox;
};
