// Coordinates of a reference star clicked on a loaded picture; Abort ends the calibration.
#pragma once

#include <QDialog>

class QLineEdit;

class ObAstDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObAstDialog(QWidget* parent = nullptr);

    // R.A. (h.mmss) and Dec. (d.mmss); both 0 leaves the fields empty.
    void setParams(double ra, double dec);
    // The entered values and whether Abort closed the dialog.
    void getParams(double& ra, double& dec, bool& aborted) const;

private:
    QLineEdit* raEdit;
    QLineEdit* decEdit;
    bool abortFlag = false;
};
