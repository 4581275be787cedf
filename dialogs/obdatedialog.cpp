#include "obdatedialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

#include "astro/timescales.h"
#include "dialogfields.h"
#include "foundation/units.h"

ObDateDialog::ObDateDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Date, Time and Timezone"));
    auto* date = new QFormLayout;
    yearEdit = addField(date, tr("&Year:"), "yearEdit");
    monthEdit = addField(date, tr("&Month:"), "monthEdit");
    dayEdit = addField(date, tr("&Day:"), "dayEdit");
    auto* time = new QFormLayout;
    hourEdit = addField(time, tr("&Hours:"), "hourEdit");
    minEdit = addField(time, tr("&Minutes:"), "minEdit");
    secEdit = addField(time, tr("&Seconds:"), "secEdit");
    auto* columns = new QHBoxLayout;
    columns->addLayout(date);
    columns->addSpacing(16);
    columns->addLayout(time);

    systemBox = describe(new QCheckBox(tr("Use S&ystem Timezone")), "systemBox", QString(),
                         tr("Takes the time zone from the system clock settings."));
    auto* zone = new QFormLayout;
    tzoneEdit = addField(zone, tr("&Timezone (positive East, negative West):"), "tzoneEdit",
                         QString(), tr("Hours of local time ahead of UTC."));
    durEdit = addField(zone, tr("D&uration (in days):"), "durEdit",
                       tr("Intervall used for calculations"),
                       tr("AOS times and next passes are searched within this interval from the "
                          "start time; it is also the interval of the delta-time plots."));
    rtEdit = addField(zone, tr("&R/T Offset (in hours)"), "rtEdit",
                      tr("RealTime clock offset in hours."),
                      tr("The real time shown is offset from the system clock by these hours, "
                         "which is useful for simulations."));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(systemBox);
    layout->addLayout(zone);
    layout->addLayout(okCancelRow(this));
    connect(systemBox, &QCheckBox::toggled, this, &ObDateDialog::systemSlot);
}

void ObDateDialog::setParams(int year, int month, int day, int hour, int minute, int second,
                             double timezone, int systz, double duration, double rtoffset)
{
    yearEdit->setText(QString::number(year));
    monthEdit->setText(QString::number(month));
    dayEdit->setText(QString::number(day));
    hourEdit->setText(QString::number(hour));
    minEdit->setText(QString::number(minute));
    secEdit->setText(QString::number(second));
    tzoneEdit->setText(numText(timezone));
    durEdit->setText(numText(std::fabs(duration)));
    rtEdit->setText(numText(rtoffset));
    // A negative duration asks for the date alone (launch, match, manoeuvre times).
    durEdit->setEnabled(duration >= 0);
    rtEdit->setEnabled(duration >= 0);
    systemBox->setChecked(systz != 0);
    systemSlot();
}

void ObDateDialog::getParams(int& year, int& month, int& day, int& hour, int& minute, int& second,
                             double& timezone, int& systz, double& duration,
                             double& rtoffset) const
{
    year = fieldInt(yearEdit);
    month = fieldInt(monthEdit);
    day = fieldInt(dayEdit);
    hour = fieldInt(hourEdit);
    minute = fieldInt(minEdit);
    second = fieldInt(secEdit);
    timezone = fieldDouble(tzoneEdit);
    systz = systemBox->isChecked() ? 1 : 0;
    duration = fieldDouble(durEdit);
    rtoffset = fieldDouble(rtEdit);
}

void ObDateDialog::accept()
{
    if (checkDateFields(this, {yearEdit, monthEdit, dayEdit, hourEdit, minEdit, secEdit}))
        QDialog::accept();
}

void ObDateDialog::systemSlot() { tzoneEdit->setEnabled(!systemBox->isChecked()); }

namespace {
// Rounding guard of the shown seconds, and the duration that disables the interval field.
constexpr double kSecondGuard = 0.001;
constexpr double kDisabledDuration = -1.0;
}  // namespace

bool EditEpoch(QWidget* parent, double& mjd)
{
    double midnight = std::floor(mjd);
    long seconds = static_cast<long>((mjd - midnight) * time_units::kSecondsPerDay + kSecondGuard);
    if (seconds >= static_cast<long>(time_units::kSecondsPerDay)) {
        midnight += 1.0;
        seconds = 0;
    }
    int day = 0, month = 0, year = 0;
    double hour = 0;
    caldat(midnight, day, month, year, hour);
    ObDateDialog dialog(parent);
    dialog.setParams(year, month, day, static_cast<int>(seconds / 3600),
                     static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60), 0.0, 0,
                     kDisabledDuration, 0.0);
    if (dialog.exec() != QDialog::Accepted) return false;
    int hh = 0, mm = 0, ss = 0, systz = 0;
    double tz = 0, duration = 0, rt = 0;
    dialog.getParams(year, month, day, hh, mm, ss, tz, systz, duration, rt);
    mjd = ::mjd(day, month, year, hh + mm / 60.0 + ss / 3600.0);
    return true;
}
