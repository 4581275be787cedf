// Start date and time (local civil time), time zone, calculation interval and real-time offset.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

class ObDateDialog : public QDialog {
    Q_OBJECT
public:
    explicit ObDateDialog(QWidget* parent = nullptr);

    // timezone in hours east; systz != 0 takes the system time zone; duration in days (negative:
    // shown as its absolute value with the interval and offset fields disabled); rtoffset in hours.
    void setParams(int year, int month, int day, int hour, int minute, int second,
                   double timezone, int systz, double duration, double rtoffset);
    void getParams(int& year, int& month, int& day, int& hour, int& minute, int& second,
                   double& timezone, int& systz, double& duration, double& rtoffset) const;

public slots:
    // The time zone field is editable only while the system time zone is not used.
    void systemSlot();

private:
    QLineEdit* yearEdit;
    QLineEdit* monthEdit;
    QLineEdit* dayEdit;
    QLineEdit* hourEdit;
    QLineEdit* minEdit;
    QLineEdit* secEdit;
    QCheckBox* systemBox;
    QLineEdit* tzoneEdit;
    QLineEdit* durEdit;
    QLineEdit* rtEdit;
};

// Asks for a new epoch mjd (MJD UT) in the date dialog, its interval field disabled; false on
// cancel.
bool EditEpoch(QWidget* parent, double& mjd);
