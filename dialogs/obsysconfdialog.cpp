#include "obsysconfdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogfields.h"

ObSysConfDialog::ObSysConfDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Configure System Parameters"));
    auto* general = new QFormLayout;
    tolEdit = addField(general, tr("Relative &Tolerance for Numeric Integration: "), "tolEdit",
                       tr("Integration Tolerance."),
                       tr("Relative error allowed in one step of the numerical integration."));
    mxiEdit = addField(general, tr("&Maximum Number of Iterations:"), "mxiEdit",
                       tr("Maximum number of iterations for one integration step."),
                       tr("The step size of one integration step is reduced at most this many "
                          "times. 0 means that the tolerance is always respected; in bad "
                          "conditions this can loop almost endlessly."));
    liftEdit = addField(general, tr("L&ift/Drag Ratio"), "liftEdit", tr("Lift to Drag Ratio"),
                        tr("Lift to drag ratio used for the re-entry below 90 km."));

    auto* craft = describe(new QGroupBox(tr("Default S/C Parameters:")), "craftGroup",
                           tr("S/C specific parameters."));
    auto* craftForm = new QFormLayout(craft);
    dragEdit = addField(craftForm, tr("&Drag Coefficient:"), "dragEdit", tr("CD coefficient"),
                        tr("Drag coefficient CD of the spacecraft, typically 1.5 - 3.0."));
    crEdit = addField(craftForm, tr("&Radiation Pressure:"), "crEdit",
                      tr("Radiation Pressure Coefficient CR."),
                      tr("Radiation pressure coefficient CR of the spacecraft, typically "
                         "1.2 - 1.9."));
    amEdit = addField(craftForm, tr("&Area/Mass(m^2/kg):"), "amEdit", tr("Area to mass ratio."),
                      tr("Cross-section area of the spacecraft divided by its mass, m^2/kg."));

    auto* weather = describe(new QGroupBox(tr("Default Space Weather Parameters:")),
                             "weatherGroup", tr("Solar Flux and Geomagnetic Index."));
    auto* weatherForm = new QFormLayout(weather);
    f107Edit = addField(weatherForm, tr("Daily Solar Flux (F&10.7):"), "f107Edit",
                        tr("Daily F10.7 solar flux."),
                        tr("Solar radio flux at 10.7 cm of the day, in solar flux units."));
    fb107Edit = addField(weatherForm, tr("Average Solar &Flux (F10.7):"), "fb107Edit",
                         tr("90 day F10.7 Flux."),
                         tr("Average of the 10.7 cm solar flux over 90 days."));
    kpEdit = addField(weatherForm, tr("Geomagnetic &Kp Index:"), "kpEdit",
                      tr("Geomagnetic K-index."),
                      tr("Planetary geomagnetic index Kp (0 to 9)."));

    sunBox = describe(new QCheckBox(tr("&Solar perturbations")), "sunBox",
                      tr("Include gravitational field of the Sun"),
                      tr("The numerical propagation includes the attraction of the Sun."));
    moonBox = describe(new QCheckBox(tr("&Lunar perturbations")), "moonBox",
                       tr("Include gravity field of the Moon."),
                       tr("The numerical propagation includes the attraction of the Moon."));
    refractBox = describe(new QCheckBox(tr("Refractio&n ")), "refractBox",
                          tr("Correct elevation for refraction."),
                          tr("Elevations are corrected for atmospheric refraction."));
    atxBox = describe(new QCheckBox(tr("E&xtinction")), "atxBox",
                      tr("Correct for atmospheric extinction"),
                      tr("Magnitudes of satellites below 33 degrees elevation are corrected "
                         "for atmospheric extinction."));
    auto* boxes = new QGridLayout;
    boxes->addWidget(sunBox, 0, 0);
    boxes->addWidget(moonBox, 0, 1);
    boxes->addWidget(refractBox, 1, 0);
    boxes->addWidget(atxBox, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(general);
    layout->addWidget(craft);
    layout->addWidget(weather);
    layout->addLayout(boxes);
    layout->addLayout(okCancelRow(this));
}

void ObSysConfDialog::setParams(double tolerance, double f107, double f107avg, double kp,
                                double cd, double cr, double areamass, double liftdrag, bool sun,
                                bool moon, bool refraction, int maxiter, bool extinction)
{
    tolEdit->setText(numText(tolerance));
    f107Edit->setText(numText(f107));
    fb107Edit->setText(numText(f107avg));
    kpEdit->setText(numText(kp));
    dragEdit->setText(numText(cd));
    crEdit->setText(numText(cr));
    amEdit->setText(numText(areamass));
    liftEdit->setText(numText(liftdrag));
    sunBox->setChecked(sun);
    moonBox->setChecked(moon);
    refractBox->setChecked(refraction);
    mxiEdit->setText(QString::number(maxiter));
    atxBox->setChecked(extinction);
}

void ObSysConfDialog::getParams(double& tolerance, double& f107, double& f107avg, double& kp,
                                double& cd, double& cr, double& areamass, double& liftdrag,
                                bool& sun, bool& moon, bool& refraction, int& maxiter,
                                bool& extinction) const
{
    tolerance = fieldDouble(tolEdit);
    f107 = fieldDouble(f107Edit);
    f107avg = fieldDouble(fb107Edit);
    kp = fieldDouble(kpEdit);
    cd = fieldDouble(dragEdit);
    cr = fieldDouble(crEdit);
    areamass = fieldDouble(amEdit);
    liftdrag = fieldDouble(liftEdit);
    sun = sunBox->isChecked();
    moon = moonBox->isChecked();
    refraction = refractBox->isChecked();
    maxiter = fieldInt(mxiEdit);
    extinction = atxBox->isChecked();
}
