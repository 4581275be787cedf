// Observer's site: latitude, longitude (decimal degrees or d.mmss), height and name.
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

class ObObsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObObsDialog(QWidget* parent = nullptr);

    // lat, lon in decimal degrees (east and north positive), height in metres; ddmm shows d.mmss.
    void setParams(double lat, double lon, double height, const char* name, bool ddmm);
    // lat, lon returned in decimal degrees whatever the display form.
    void getParams(double& lat, double& lon, double& height, bool& ddmm) const;
    QString getGeoname() const;

public slots:
    // Shows the angles in decimal degrees when that form is chosen.
    void setDec();
    // Shows the angles in d.mmss when that form is chosen.
    void setDdmm();

private:
    // Shows latitude and longitude (in the current display form).
    void showAngles(double lat, double lon);

    QLineEdit* latEdit;
    QLineEdit* lngEdit;
    QLineEdit* heightEdit;
    QLineEdit* locEdit;
    QRadioButton* decButton;
    QRadioButton* ddmmButton;
};
