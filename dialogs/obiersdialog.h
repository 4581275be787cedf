// Earth orientation values: UTC - TAI, UT1 - UTC and the pole coordinates, or the defaults.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

class ObIersDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObIersDialog(QWidget* parent = nullptr);

    // iersflg false = defaults in use; polex, poley in arcsec; utctai, ut1utc in seconds.
    void setParams(bool iersflg, double polex, double poley, int utctai, double ut1utc);
    void getParams(bool& iersflg, double& polex, double& poley, int& utctai, double& ut1utc) const;

public slots:
    // The value fields are editable only while the defaults are not used.
    void refreshSlot();

private:
    QCheckBox* ckDefault;
    QLineEdit* taiEdit;
    QLineEdit* ut1Edit;
    QLabel* poleLabel;
    QLineEdit* xEdit;
    QLineEdit* yEdit;
};
