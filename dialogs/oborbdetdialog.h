// Two observed sky positions of one pass and the time between them, for a circular orbit.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

class ObOrbDetDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObOrbDetDialog(QWidget* parent = nullptr);

    // Positions as azimuth and elevation (degrees) or, with obsNradec, R.A. (h.mmss) and Dec.
    // (d.mmss); deltat: seconds from the first to the second; match: search the TLE file
    // afterwards; pictureok: the "Picture" button is offered (picture points exist).
    void setParams(double az1, double el1, double az2, double el2, double deltat, bool obs1radec,
                   bool obs2radec, bool match, bool pictureok);
    void getParams(double& az1, double& el1, double& az2, double& el2, double& deltat,
                   bool& obs1radec, bool& obs2radec, bool& match) const;

    // Swaps the two observations, reversing the direction of motion.
    void reverse();
    // Takes the last two points measured on the picture as the two observations.
    void fromPicture();

private:
    // Labels the fields of both observations for their coordinate kinds.
    void applyRules();

    QLabel* az1Label;
    QLabel* el1Label;
    QLabel* az2Label;
    QLabel* el2Label;
    QLineEdit* az1Edit;
    QLineEdit* el1Edit;
    QLineEdit* az2Edit;
    QLineEdit* el2Edit;
    QCheckBox* obs1Box;
    QCheckBox* obs2Box;
    QLineEdit* deltmEdit;
    QCheckBox* matchBox;
    QPushButton* picButton;
};
