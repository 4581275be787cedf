// Options of the Iridium flare search: the faintest flare listed, operational orbits only and
// flares of the solar panels.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

class ObIridiumDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObIridiumDialog(QWidget* parent = nullptr);

    void setParams(double minmag, bool opsonly, bool solpanel);
    void getParams(double& minmag, bool& opsonly, bool& solpanel) const;

private:
    QLineEdit* magEdit;
    QCheckBox* opsBox;
    QCheckBox* solpBox;
};
