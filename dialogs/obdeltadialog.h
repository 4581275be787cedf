// An impulsive velocity change or a continuous thrust of the prime satellite.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

class ObDeltaDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObDeltaDialog(QWidget* parent = nullptr);

    // dv: velocity change (m/s) or thrust acceleration (mm/s^2); yaw, pitch: direction in the
    // local attitude frame (degrees); numeric 0: the satellite is not propagated numerically,
    // so only an impulsive manoeuvre is possible.
    void setParams(double dv, double yaw, double pitch, bool continuous, bool sunshine,
                   int numeric, bool update);
    void getParams(double& dv, double& yaw, double& pitch, bool& continuous, bool& sunshine,
                   bool& update) const;

private:
    // Relabels the first field and enables the thrust options for the thrust box.
    void applyRules();

    QLabel* dvLabel;
    QLineEdit* dvEdit;
    QLineEdit* yawEdit;
    QLineEdit* pitchEdit;
    QCheckBox* thrBox;
    QCheckBox* sunBox;
    QCheckBox* updBox;
    bool numeric = false;
};
