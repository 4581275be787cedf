// Launch site and launch parameters of a launch orbit.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;

class ObLaunchDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObLaunchDialog(QWidget* parent = nullptr);

    // site: index into the launch site table (0 = coordinates typed in); lat, lon: degrees,
    // southern and western negative; south: southerly launch; meco: cut-off time, minutes.
    void setParams(int site, double lat, double lon, bool south, double meco);
    void getParams(int& site, double& lat, double& lon, bool& south, double& meco) const;

private:
    // A chosen site fills and locks the coordinates; "User" unlocks them.
    void siteSlot(int index);

    QComboBox* siteBox;
    QLineEdit* latEdit;
    QLineEdit* lonEdit;
    QRadioButton* southButton;
    QRadioButton* northButton;
    QLineEdit* mecoEdit;
    int csx = 0;   // chosen site
};
