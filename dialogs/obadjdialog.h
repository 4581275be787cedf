// Adjustments applied to the elements of TLE files read from now on, and the SGP4 options.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

class ObAdjDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObAdjDialog(QWidget* parent = nullptr);

    // activate: adjust newly read elements; sdp4: deep-space model for long periods; n0: fixed
    // mean motion (rev/day, 0 = unchanged); dt: epoch shift (s); dnode: node shift (degrees);
    // wgs84: WGS-84 instead of WGS-72 constants.
    void setParams(bool activate, bool sdp4, double n0, double dt, double dnode, bool wgs84);
    void getParams(bool& activate, bool& sdp4, double& n0, double& dt, double& dnode,
                   bool& wgs84) const;

private:
    QCheckBox* actBox;
    QLineEdit* n0Edit;
    QLineEdit* dtEdit;
    QLineEdit* raEdit;
    QCheckBox* sdp4Box;
    QCheckBox* wgsBox;
};
