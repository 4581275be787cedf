#include "obeditorbdialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/timescales.h"
#include "core/meanmotion.h"
#include "core/rv2el.h"
#include "core/statevector.h"
#include "dialogfields.h"
#include "foundation/units.h"
#include "obadjdialog.h"
#include "obdatedialog.h"
#include "obstatedialog.h"

namespace {

// Earth radius of the perigee and apogee heights, km.
constexpr double kHeightRadius = 6378.14;
// Mean motions (rev/day) and perigee distances (km) below this count as not entered.
constexpr double kNotEntered = 0.0001;
// Replacement of a zero mean motion or perigee distance.
constexpr double kMinimumMotion = 0.01;
// Largest eccentricity from perigee and apogee heights.
constexpr double kMaxHeightEcc = 0.9999999;
// Geostationary orbit: mean motion (rev/day) and the inclination that keeps the node defined.
constexpr double kGeoMeanMotion = 1.00270065;
constexpr double kGeoInclination = 0.001;
using angle_units::kDegPerHour;
// Range and decimals of the GEO longitude input, degrees.
constexpr double kGeoLonMin = -180.0;
constexpr double kGeoLonMax = 360.0;
constexpr int kGeoLonDecimals = 2;


QPushButton* button(const QString& text, const QString& name, const QString& tip)
{
    return describe(new QPushButton(text), name, tip);
}

}  // namespace

ObEditOrbDialog::ObEditOrbDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Edit Orbit Elements"));
    auto* ident = new QFormLayout;
    nameEdit = addField(ident, tr("&Satellite Name:"), "nameEdit");
    noradEdit = addField(ident, tr("NORA&D#:"), "noradEdit", tr("NORAD catalog number"));
    idsnEdit = addField(ident, tr("International &Launch #:"), "idsnEdit",
                        tr("International designator, e.g. 1998-067A"));
    yearEdit = addField(ident, tr("&Year of epoch:"), "yearEdit");
    dayEdit = addField(ident, tr("Day of Year. &Fraction of day:"), "dayEdit");

    auto* angles = new QFormLayout;
    incEdit = addField(angles, tr("&Inclination (deg):"), "incEdit");
    raEdit = addField(angles, tr("Right &Ascension (deg):"), "raEdit",
                      tr("Right ascension of the ascending node"));
    eccEdit = addField(angles, tr("&Eccentricity:"), "eccEdit");
    aperEdit = addField(angles, tr("Arg.of &Perigee (deg):"), "aperEdit");
    m0Edit = addField(angles, tr("&Mean Anomaly (deg):"), "m0Edit");
    n0Edit = addField(angles, tr("Mean Motio&n (rev/day):  ||  q (km):"), "n0Edit",
                      tr("Mean motion, or perigee distance for open orbits"));
    aEdit = addField(angles, tr("Semimajor A&xis (km):"), "aEdit",
                     tr("Semimajor Axis (ignored for parabolic orbits)"));

    auto* shape = new QFormLayout;
    periEdit = addField(shape, tr("Perigee Height (km&):"), "periEdit");
    apoEdit = addField(shape, tr("Apogee &Height (km):"), "apoEdit");
    ndotEdit = addField(shape, tr("ndot &(rev/day^2):"), "ndotEdit");
    adotEdit = addField(shape, tr("adot (&km/day):"), "adotEdit");
    n2dotEdit = addField(shape, tr("n&2dot (rev/day^3): "), "n2dotEdit");
    bstarEdit = addField(shape, tr("&BSTAR:"), "bstarEdit", tr("SGP4 drag term"));

    spg4Box = describe(new QCheckBox(tr("SGP&4 Model")), "spg4Box",
                       tr("Elements are SGP4 mean elements"));
    perapBox = describe(new QCheckBox(tr("Perigee&/Apogee")), "perapBox",
                        tr("Enter the orbit as perigee and apogee heights"));
    numBox = describe(new QCheckBox(tr("N&umerical Propagation")), "numBox",
                      tr("Propagate the state vector numerically"));

    auto* grid = new QGridLayout;
    grid->addLayout(ident, 0, 0);
    grid->addLayout(shape, 0, 1);
    grid->addLayout(angles, 1, 0);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(spg4Box);
    boxes->addWidget(perapBox);
    boxes->addWidget(numBox);
    boxes->addStretch();
    grid->addLayout(boxes, 1, 1);

    auto* refreshButton = button(tr("&Refresh"), "refreshButton", tr("Recompute dependent elements"));
    auto* stateButton = button(tr("State &Vec."), "stateButton", tr("Edit as state vector"));
    auto* adjButton = button(tr("Ad&just"), "adjButton", tr("Adjust elements read from TLE files"));
    auto* geoButton = button(tr("&GEO"), "geoButton", tr("Geostationary orbit"));
    auto* timeButton = button(tr("Edit &Time"), "timeButton", tr("Epoch as date and time"));
    auto* newButton = button(tr("Ne&w"), "newButton", tr("New satellite"));
    auto* row = okCancelRow(this);
    for (QPushButton* b : {newButton, timeButton, geoButton, adjButton, stateButton, refreshButton})
        row->insertWidget(0, b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(row);

    connect(refreshButton, &QPushButton::clicked, this, &ObEditOrbDialog::refresh);
    connect(stateButton, &QPushButton::clicked, this, &ObEditOrbDialog::stateSlot);
    connect(adjButton, &QPushButton::clicked, this, &ObEditOrbDialog::adjustSlot);
    connect(geoButton, &QPushButton::clicked, this, &ObEditOrbDialog::geoSlot);
    connect(timeButton, &QPushButton::clicked, this, &ObEditOrbDialog::timeSlot);
    connect(newButton, &QPushButton::clicked, this, &ObEditOrbDialog::newSlot);
    connect(n0Edit, &QLineEdit::textEdited, this, [this] { n0c = 1; });
    connect(aEdit, &QLineEdit::textEdited, this, [this] { n0c = 2; });
    connect(ndotEdit, &QLineEdit::textEdited, this, [this] { ndc = 1; });
    connect(adotEdit, &QLineEdit::textEdited, this, [this] { ndc = 2; });
    connect(periEdit, &QLineEdit::textEdited, this, [this] { apc = 1; });
    connect(apoEdit, &QLineEdit::textEdited, this, [this] { apc = 2; });
    connect(eccEdit, &QLineEdit::textEdited, this, &ObEditOrbDialog::eccEdited);
    connect(incEdit, &QLineEdit::textEdited, this, &ObEditOrbDialog::eccEdited);
    connect(spg4Box, &QCheckBox::clicked, this, [this] {
        n0c = 3;
        applyRules();
    });
    connect(perapBox, &QCheckBox::clicked, this, &ObEditOrbDialog::applyRules);
    connect(numBox, &QCheckBox::clicked, this, [this] {
        numcng = true;
        applyRules();
    });
}

void ObEditOrbDialog::setParams(const OrbEdit& e)
{
    nameEdit->setText(e.name.trimmed());
    noradEdit->setText(QString::number(e.norad));
    idsnEdit->setText(e.idsn.trimmed());
    int year = 0;
    double day = 0;
    EpochYearDay(e.epoch, year, day);
    yearEdit->setText(QString::number(year));
    dayEdit->setText(printfText("%14.10lf", day));
    incEdit->setText(printfText("%9.4lf", e.incl));
    raEdit->setText(printfText("%9.4lf", e.node));
    aperEdit->setText(printfText("%9.4lf", e.argp));
    m0Edit->setText(printfText("%9.4lf", e.ecc < 1.0 ? e.manom : 0.0));
    n2dotEdit->setText(printfText("%10.4le", e.n2dot));
    bstarEdit->setText(printfText("%10.4le", e.bstar));
    decc = e.ecc;
    dsmax = e.sma;
    dn0 = e.mm;
    dndot = e.ndot;
    dadot = e.adot;
    hper = decc < 1.0 ? (1.0 - decc) * dsmax - kHeightRadius : 0.0;
    hapo = decc < 1.0 ? (1.0 + decc) * dsmax - kHeightRadius : 0.0;
    spg4Box->setChecked(e.sgp4 && e.ecc < 1.0);
    perapBox->setChecked(false);
    numBox->setChecked(e.numeric);
    n0c = ndc = apc = 0;
    numcng = ednwsflg = false;
    showValues();
    applyRules();
}

void ObEditOrbDialog::getParams(OrbEdit& e, bool& newSat) const
{
    e.name = nameEdit->text();
    e.norad = fieldInt(noradEdit);
    e.idsn = idsnEdit->text();
    e.epoch = epochMjd();
    e.incl = fieldDouble(incEdit);
    e.node = fieldDouble(raEdit);
    e.ecc = decc;
    e.argp = fieldDouble(aperEdit);
    e.manom = decc < 1.0 ? fieldDouble(m0Edit) : 0.0;
    e.mm = dn0;
    e.sma = dsmax;
    e.ndot = dndot;
    e.adot = dadot;
    e.n2dot = fieldDouble(n2dotEdit);
    e.bstar = fieldDouble(bstarEdit);
    e.sgp4 = spg4Box->isChecked();
    e.numeric = numBox->isChecked();
    newSat = ednwsflg;
}

void ObEditOrbDialog::refresh()
{
    decc = fieldDouble(eccEdit);
    const double incl = fieldDouble(incEdit);
    if (decc >= 1.0) spg4Box->setChecked(false);
    const int sgp4 = spg4Box->isChecked() ? 1 : 0;
    if (perapBox->isChecked()) {
        if (apc != 0) {
            hper = fieldDouble(periEdit);
            hapo = fieldDouble(apoEdit);
            dsmax = std::max((hapo + hper) / 2.0 + kHeightRadius, 1.0);
            decc = std::min(std::fabs(hapo - hper) / (2.0 * dsmax), kMaxHeightEcc);
            dn0 = getn0(dsmax, decc, incl);
        }
    } else if (decc < 1.0) {
        if (n0c != 0 || fieldDouble(aEdit) < 0.0) {
            const double n = fieldDouble(n0Edit);
            if (n0c == 2 || n < kNotEntered) {
                dsmax = fieldDouble(aEdit);
                dn0 = getn0(dsmax, decc, incl);
            } else {
                dn0 = n;
                dsmax = getsax(sgp4, n, decc, incl);
            }
            if (dn0 == 0.0) dn0 = kMinimumMotion;
        }
        hper = (1.0 - decc) * dsmax - kHeightRadius;
        hapo = (1.0 + decc) * dsmax - kHeightRadius;
    } else if (n0c != 0) {
        double q = fieldDouble(n0Edit);
        if (n0c == 2 || q < kNotEntered) {
            dsmax = fieldDouble(aEdit);
            q = std::fabs((1.0 - decc) * dsmax);
        } else {
            dsmax = decc == 1.0 ? 0.0 : q / (1.0 - decc);
        }
        dn0 = q == 0.0 ? kMinimumMotion : q;
        hper = hapo = 0.0;
        n0c = ndc = apc = 0;
    }
    if (ndc == 2) {
        dadot = fieldDouble(adotEdit);
        dndot = dsmax == 0.0 ? 0.0 : -0.75 * dn0 * dadot / dsmax;
    } else if (ndc != 0 || n0c != 0) {
        dndot = fieldDouble(ndotEdit);
        dadot = dn0 == 0.0 ? 0.0 : -4.0 / 3.0 * dsmax * dndot / dn0;
    }
    n0c = ndc = apc = 0;
    showValues();
    applyRules();
}

void ObEditOrbDialog::showValues()
{
    const bool open = decc >= 1.0;
    eccEdit->setText(printfText(open ? "%11.7lf" : "%9.7lf", decc));
    n0Edit->setText(printfText(open ? "%12.4lf" : "%12.8lf", dn0));
    aEdit->setText(printfText("%12.4lf", dsmax));
    periEdit->setText(printfText("%12.4lf", hper));
    apoEdit->setText(printfText("%12.4lf", hapo));
    ndotEdit->setText(printfText("%12.8lf", dndot));
    adotEdit->setText(printfText("%9.4lf", dadot));
    if (open) m0Edit->setText(printfText("%9.4lf", 0.0));
}

void ObEditOrbDialog::applyRules()
{
    const bool open = fieldDouble(eccEdit) >= 1.0;
    if (open) spg4Box->setChecked(false);
    spg4Box->setEnabled(!open);
    const bool sgp4 = spg4Box->isChecked();
    for (QLineEdit* e : {ndotEdit, adotEdit, n2dotEdit}) enableField(e, !sgp4 && !open);
    enableField(bstarEdit, sgp4);
    const bool perap = perapBox->isChecked();
    for (QLineEdit* e : {periEdit, apoEdit}) enableField(e, perap);
    for (QLineEdit* e : {eccEdit, n0Edit, aEdit}) enableField(e, !perap);
    const bool numeric = numBox->isChecked();
    for (QLineEdit* e : {yearEdit, dayEdit, raEdit, aperEdit, m0Edit}) enableField(e, !numeric);
}

double ObEditOrbDialog::epochMjd() const
{
    return EpochMjd(fieldInt(yearEdit), fieldDouble(dayEdit));
}

void ObEditOrbDialog::eccEdited()
{
    apc = 3;
    if (n0c == 1) n0c = 0;
    if (fieldDouble(eccEdit) >= 1.0 && n0c == 0) n0c = 1;
    applyRules();
}

void ObEditOrbDialog::setGeo(double lon)
{
    const double node = Reduce360(kDegPerHour * lsidtim(epochMjd(), lon, 0.0));
    raEdit->setText(printfText("%9.4lf", node));
    incEdit->setText(printfText("%9.4lf", kGeoInclination));
    aperEdit->setText(printfText("%9.4lf", 0.0));
    m0Edit->setText(printfText("%9.4lf", 0.0));
    n2dotEdit->setText(printfText("%10.4le", 0.0));
    bstarEdit->setText(printfText("%10.4le", 0.0));
    decc = 0.0;
    dn0 = kGeoMeanMotion;
    dsmax = getsax(0, kGeoMeanMotion, 0.0, kGeoInclination);
    dadot = dndot = 0.0;
    showValues();
    for (QCheckBox* b : {spg4Box, perapBox, numBox}) b->setChecked(false);
    n0c = ndc = apc = 0;
    applyRules();
    refresh();
}

void ObEditOrbDialog::setState(double mjd, const Vec3& r, const Vec3& v)
{
    double tp = mjd;
    OrbitElements e = StateToElements(mjd, r, v, tp);
    if (e.ecc >= 1.0) {
        spg4Box->setChecked(false);
        mjd = tp;  // open orbits are given at perigee
    } else if (spg4Box->isChecked()) {
        cvSGP4(mjd, e);
    }
    int year = 0;
    double day = 0;
    EpochYearDay(mjd, year, day);
    yearEdit->setText(QString::number(year));
    dayEdit->setText(printfText("%14.10lf", day));
    incEdit->setText(printfText("%9.4lf", e.incl));
    raEdit->setText(printfText("%9.4lf", e.node));
    aperEdit->setText(printfText("%9.4lf", e.argp));
    m0Edit->setText(printfText("%9.4lf", e.manom));
    decc = e.ecc;
    dsmax = e.sma;
    dn0 = e.mm;
    hper = decc < 1.0 ? (1.0 - decc) * dsmax - kHeightRadius : 0.0;
    hapo = decc < 1.0 ? (1.0 + decc) * dsmax - kHeightRadius : 0.0;
    n0c = ndc = apc = 0;
    showValues();
    applyRules();
}

void ObEditOrbDialog::accept()
{
    if (!checkEpochFields(this, yearEdit, dayEdit)) return;
    refresh();
    QDialog::accept();
}

void ObEditOrbDialog::geoSlot()
{
    bool ok = false;
    const double lon = QInputDialog::getDouble(this, tr("GEO orbit"), tr("Geogr.Longitude:"), 0.0,
                                               kGeoLonMin, kGeoLonMax, kGeoLonDecimals, &ok);
    if (ok) setGeo(lon);
}

void ObEditOrbDialog::timeSlot()
{
    double mjd = epochMjd();
    if (!EditEpoch(this, mjd)) return;
    int year = 0;
    double day = 0;
    EpochYearDay(mjd, year, day);
    yearEdit->setText(QString::number(year));
    dayEdit->setText(printfText("%14.10lf", day));
}

void ObEditOrbDialog::stateSlot()
{
    refresh();
    OrbitElements e;
    e.sma = dsmax;
    e.ecc = decc;
    e.mm = dn0;
    e.incl = fieldDouble(incEdit);
    e.node = fieldDouble(raEdit);
    e.argp = fieldDouble(aperEdit);
    e.manom = fieldDouble(m0Edit);
    StateVector s;
    vsGetState(s);
    s.mjd = epochMjd();
    ElementsToState(e, s.r, s.v);
    vsRefState(kFrameMeanOfDate, s.frame, s.mjd, s.r[0], s.r[1], s.r[2], s.v[0], s.v[1], s.v[2]);
    ObStateDialog dialog(this);
    dialog.setParams(s);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.getParams(s);
    vsPutState(s);
    vsRefState(s.frame, kFrameMeanOfDate, s.mjd, s.r[0], s.r[1], s.r[2], s.v[0], s.v[1], s.v[2]);
    setState(s.mjd, s.r, s.v);
}

void ObEditOrbDialog::adjustSlot()
{
    bool activate = false, sdp4 = false;
    double n0 = 0, dt = 0, dnode = 0;
    int wgs84 = 0;
    vsGetAdj(activate, sdp4, n0, dt, dnode, wgs84);
    ObAdjDialog dialog(this);
    dialog.setParams(activate, sdp4, n0, dt, dnode, wgs84 != 0);
    if (dialog.exec() != QDialog::Accepted) return;
    bool wgs = false;
    dialog.getParams(activate, sdp4, n0, dt, dnode, wgs);
    vsPutAdj(activate, sdp4, n0, dt, dnode, wgs ? 1 : 0);
}

void ObEditOrbDialog::newSlot()
{
    if (!checkEpochFields(this, yearEdit, dayEdit)) return;
    ednwsflg = true;
    accept();
}
