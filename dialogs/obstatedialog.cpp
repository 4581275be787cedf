#include "obstatedialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cstdio>

#include "dialogfields.h"
#include "obdatedialog.h"

ObStateDialog::ObStateDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("State Vector"));
    auto* vec = new QFormLayout;
    yearEdit = addField(vec, tr("Year of E&poch:"), "yearEdit");
    dayEdit = addField(vec, tr("Day of Year. &Fraction of Day:"), "dayEdit");
    const char* labels[6] = {"Position &X (km):",    "Position &Y (km):",
                             "Position &Z (km):",    "&Velocity X (km/s):",
                             "V&elocity Y (km/s):",  "Ve&locity Z (km/s):"};
    const char* names[6] = {"xEdit", "yEdit", "zEdit", "vxEdit", "vyEdit", "vzEdit"};
    // Wide enough for the twelve decimals of the exponential format.
    const int wide = fontMetrics().horizontalAdvance("-0.000000000000e+000  ");
    for (int k = 0; k < 6; ++k) {
        stateEdit[k] = addField(vec, tr(labels[k]), names[k]);
        stateEdit[k]->setMinimumWidth(wide);
    }

    auto* prop = new QFormLayout;
    f107Edit = addField(prop, tr("Daily Solar Flux (F&10.7):"), "f107Edit", tr("70 to 330"));
    f107aEdit = addField(prop, tr("Average Solar Flux (F10.&7):"), "f107aEdit", tr("70 to 240"));
    kpEdit = addField(prop, tr("Geomagnetic &Kp Index:"), "kpEdit", tr("0 to 8"));
    amEdit = addField(prop, tr("&Area/Mass (m^2/kg):"), "amEdit");
    cdEdit = addField(prop, tr("&Drag Coefficient:"), "cdEdit", tr("1.5 to 3"));
    crEdit = addField(prop, tr("&Radiation Pressure:"), "crEdit", tr("1.2 to 1.9"));

    auto* frames = new QGroupBox(tr("Coordi&nates are in"));
    auto* frameLayout = new QVBoxLayout(frames);
    frameGroup = new QButtonGroup(this);
    const char* frameText[4] = {"Tr&ue of Date", "&Mean Equator of Date",
                                "&J2000 (J2K Cartesian)", "Eart&h Fixed"};
    const char* frameName[4] = {"todButton", "modButton", "j2kButton", "efButton"};
    for (int k = 0; k < 4; ++k) {
        auto* b = describe(new QRadioButton(tr(frameText[k])), frameName[k]);
        frameGroup->addButton(b, k);
        frameLayout->addWidget(b);
    }
    resetBox = describe(new QCheckBox(tr("Reset Curre&nt State Vector")), "resetBox",
                        tr("Start the numerical integration again from this vector"));
    frameLayout->addWidget(resetBox);
    prop->addRow(frames);

    auto* columns = new QHBoxLayout;
    columns->addLayout(vec);
    columns->addSpacing(16);
    columns->addLayout(prop);
    auto* timeButton = describe(new QPushButton(tr("Edit &Time")), "timeButton");
    auto* row = okCancelRow(this);
    row->insertWidget(0, timeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(row);

    connect(frameGroup, &QButtonGroup::idClicked, this, &ObStateDialog::frameSlot);
    connect(timeButton, &QPushButton::clicked, this, &ObStateDialog::timeSlot);
}

void ObStateDialog::setParams(const StateVector& s)
{
    showEpoch(s.mjd);
    for (unsigned k = 0; k < 3; ++k) {
        stateEdit[k]->setText(printfText("%20.12le", s.r[k]));
        stateEdit[k + 3]->setText(printfText("%20.12le", s.v[k]));
    }
    f107Edit->setText(numText(s.f107));
    f107aEdit->setText(numText(s.f107avg));
    kpEdit->setText(numText(s.kp));
    amEdit->setText(numText(s.areamass));
    cdEdit->setText(numText(s.cd));
    crEdit->setText(numText(s.cr));
    stdtmje = s.frame >= kFrameTrueOfDate && s.frame <= kFrameEarthFixed ? s.frame
                                                                          : kFrameTrueOfDate;
    frameGroup->button(stdtmje)->setChecked(true);
    resetBox->setChecked(s.reset);
}

void ObStateDialog::getParams(StateVector& s) const
{
    s.mjd = epochMjd();
    for (unsigned k = 0; k < 3; ++k) {
        s.r[k] = fieldDouble(stateEdit[k]);
        s.v[k] = fieldDouble(stateEdit[k + 3]);
    }
    s.f107 = fieldDouble(f107Edit);
    s.f107avg = fieldDouble(f107aEdit);
    s.kp = fieldDouble(kpEdit);
    s.areamass = fieldDouble(amEdit);
    s.cd = fieldDouble(cdEdit);
    s.cr = fieldDouble(crEdit);
    s.frame = stdtmje;
    s.reset = resetBox->isChecked();
}

void ObStateDialog::frameSlot(int frame)
{
    if (frame == stdtmje) return;
    if (resetBox->isChecked()) {
        double c[6];
        for (int k = 0; k < 6; ++k) c[k] = fieldDouble(stateEdit[k]);
        vsRefState(stdtmje, frame, epochMjd(), c[0], c[1], c[2], c[3], c[4], c[5]);
        for (int k = 0; k < 6; ++k) stateEdit[k]->setText(printfText("%20.12le", c[k]));
    }
    stdtmje = frame;
}

void ObStateDialog::timeSlot()
{
    double mjd = epochMjd();
    if (EditEpoch(this, mjd)) showEpoch(mjd);
}

void ObStateDialog::showEpoch(double mjd)
{
    int year = 0;
    double day = 0;
    EpochYearDay(mjd, year, day);
    yearEdit->setText(QString::number(year));
    dayEdit->setText(printfText("%14.10lf", day));
}

double ObStateDialog::epochMjd() const
{
    return EpochMjd(fieldInt(yearEdit), fieldDouble(dayEdit));
}
