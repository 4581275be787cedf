// Numerical propagator and observation correction settings.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

class ObSysConfDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObSysConfDialog(QWidget* parent = nullptr);

    // tolerance: relative integration tolerance; f107, f107avg: solar flux; kp: geomagnetic index;
    // cd, cr: drag and radiation pressure coefficients; areamass in m^2/kg; liftdrag: lift/drag
    // ratio; sun, moon: third-body perturbations; maxiter: iteration limit (0 = none).
    void setParams(double tolerance, double f107, double f107avg, double kp, double cd, double cr,
                   double areamass, double liftdrag, bool sun, bool moon, bool refraction,
                   int maxiter, bool extinction);
    void getParams(double& tolerance, double& f107, double& f107avg, double& kp, double& cd,
                   double& cr, double& areamass, double& liftdrag, bool& sun, bool& moon,
                   bool& refraction, int& maxiter, bool& extinction) const;

private:
    QLineEdit* tolEdit;
    QLineEdit* mxiEdit;
    QLineEdit* liftEdit;
    QLineEdit* dragEdit;
    QLineEdit* crEdit;
    QLineEdit* amEdit;
    QLineEdit* f107Edit;
    QLineEdit* fb107Edit;
    QLineEdit* kpEdit;
    QCheckBox* sunBox;
    QCheckBox* moonBox;
    QCheckBox* refractBox;
    QCheckBox* atxBox;
};
