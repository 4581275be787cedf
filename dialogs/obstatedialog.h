// A satellite's state vector at its epoch in one of four coordinate frames, with the parameters
// of its numerical propagation.
#pragma once

#include <QDialog>

#include "core/statevector.h"

class QButtonGroup;
class QCheckBox;
class QLineEdit;

class ObStateDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObStateDialog(QWidget* parent = nullptr);

    void setParams(const StateVector& s);
    void getParams(StateVector& s) const;

private:
    // Another frame was chosen: converts the shown vector when "Reset" is checked.
    void frameSlot(int frame);
    void timeSlot();
    void showEpoch(double mjd);
    double epochMjd() const;

    QLineEdit* yearEdit;
    QLineEdit* dayEdit;
    QLineEdit* stateEdit[6];   // x, y, z (km), vx, vy, vz (km/s)
    QLineEdit* f107Edit;
    QLineEdit* f107aEdit;
    QLineEdit* kpEdit;
    QLineEdit* amEdit;
    QLineEdit* cdEdit;
    QLineEdit* crEdit;
    QButtonGroup* frameGroup;
    QCheckBox* resetBox;
    int stdtmje = kFrameTrueOfDate;   // frame of the shown vector
};
