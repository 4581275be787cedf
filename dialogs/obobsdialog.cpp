#include "obobsdialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>
#include <cstdio>

#include "dialogfields.h"
#include "foundation/textconv.h"

namespace {

// Longitudes (decimal or d.mmss) beyond this magnitude get a fixed four-decimal form, since six
// significant digits would drop their seconds.
constexpr double kWideLongitude = 100.0;

// Text of a longitude: 'g' format, or "%10.4lf" with a decimal point beyond kWideLongitude.
QString longitudeText(double lon)
{
    if (std::fabs(lon) <= kWideLongitude)
        return numText(lon);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%10.4lf", lon);
    decdot(buf);
    return QString::fromLatin1(buf).trimmed();
}

}  // namespace

ObObsDialog::ObObsDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Observer's Location"));
    auto* form = new QFormLayout;
    latEdit = addField(form, tr("L&atitude in deg.:"), "latEdit");
    lngEdit = addField(form, tr("L&ongitude in deg.:"), "lngEdit");
    heightEdit = addField(form, tr("&Height (in m):"), "heightEdit");
    locEdit = addField(form, tr("&Name of Location:"), "locEdit");

    auto* group = describe(new QGroupBox(tr("Latitude/Longitude")), "angleGroup",
                           tr("Switch between decimal degrees and Degrees/Minutes/Seconds"),
                           tr("Latitude and longitude are entered either in decimal degrees or "
                              "as DD.MMSS. The choice also sets the form of the geographic "
                              "coordinates shown on the world map."));
    decButton = new QRadioButton(tr("Decimal Degrees"));
    decButton->setObjectName("decButton");
    ddmmButton = new QRadioButton(tr("Degrees in DD.MMSS"));
    ddmmButton->setObjectName("ddmmButton");
    auto* choice = new QVBoxLayout(group);
    choice->addWidget(decButton);
    choice->addWidget(ddmmButton);
    decButton->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("Western longitudes and Southern latitudes are negative")));
    layout->addWidget(group);
    layout->addLayout(okCancelRow(this));
    connect(decButton, &QRadioButton::toggled, this, &ObObsDialog::setDec);
    connect(ddmmButton, &QRadioButton::toggled, this, &ObObsDialog::setDdmm);
}

void ObObsDialog::setParams(double lat, double lon, double height, const char* name, bool ddmm)
{
    {
        const QSignalBlocker b1(decButton), b2(ddmmButton);
        (ddmm ? ddmmButton : decButton)->setChecked(true);
    }
    if (ddmm)
        showAngles(DegFDms(lat), DegFDms(lon));
    else
        showAngles(lat, lon);
    heightEdit->setText(numText(height));
    locEdit->setText(name ? QString::fromLatin1(name) : QString());
}

void ObObsDialog::getParams(double& lat, double& lon, double& height, bool& ddmm) const
{
    lat = fieldDouble(latEdit);
    lon = fieldDouble(lngEdit);
    height = fieldDouble(heightEdit);
    ddmm = ddmmButton->isChecked();
    if (ddmm) {
        lat = DmsDegF(lat);
        lon = DmsDegF(lon);
    }
}

QString ObObsDialog::getGeoname() const { return locEdit->text(); }

void ObObsDialog::setDec()
{
    if (decButton->isChecked())
        showAngles(DmsDegF(fieldDouble(latEdit)), DmsDegF(fieldDouble(lngEdit)));
}

void ObObsDialog::setDdmm()
{
    if (ddmmButton->isChecked())
        showAngles(DegFDms(fieldDouble(latEdit)), DegFDms(fieldDouble(lngEdit)));
}

void ObObsDialog::showAngles(double lat, double lon)
{
    latEdit->setText(numText(lat));
    lngEdit->setText(longitudeText(lon));
}
