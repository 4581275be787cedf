#include "oblaunchdialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/launchsites.h"
#include "dialogfields.h"

ObLaunchDialog::ObLaunchDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Launch Data"));
    auto* form = new QFormLayout;
    siteBox = describe(new QComboBox, "siteBox", tr("Launch site"));
    for (const LaunchSite& s : LaunchSites()) siteBox->addItem(QString::fromLatin1(s.name));
    auto* siteLabel = new QLabel(tr("Launch &Site:"));
    siteLabel->setBuddy(siteBox);
    form->addRow(siteLabel, siteBox);
    latEdit = addField(form, tr("L&atitude (deg.):"), "latEdit");
    lonEdit = addField(form, tr("L&ongitude (deg.):"), "lonEdit");
    form->addRow(new QLabel(tr("Western longitudes and Southern latitudes negative")));

    auto* azim = new QGroupBox(tr("Launch &Azimuth"));
    southButton = describe(new QRadioButton(tr("&South")), "southButton",
                           tr("Launch in a southerly direction"));
    northButton = describe(new QRadioButton(tr("&North")), "northButton",
                           tr("Launch in a northerly direction"));
    auto* azimRow = new QHBoxLayout(azim);
    azimRow->addWidget(southButton);
    azimRow->addWidget(northButton);
    form->addRow(azim);
    mecoEdit = addField(form, tr("&t cutoff (min):"), "mecoEdit",
                        tr("Main engine cut-off time after lift-off"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(okCancelRow(this));
    connect(siteBox, qOverload<int>(&QComboBox::activated), this, &ObLaunchDialog::siteSlot);
}

void ObLaunchDialog::setParams(int site, double lat, double lon, bool south, double meco)
{
    latEdit->setText(numText(lat));
    lonEdit->setText(numText(lon));
    southButton->setChecked(south);
    northButton->setChecked(!south);
    mecoEdit->setText(numText(meco));
    siteBox->setCurrentIndex(site > 0 && site < kLaunchSites ? site : 0);
    siteSlot(siteBox->currentIndex());
}

void ObLaunchDialog::getParams(int& site, double& lat, double& lon, bool& south,
                               double& meco) const
{
    site = csx;
    lat = fieldDouble(latEdit);
    lon = fieldDouble(lonEdit);
    south = southButton->isChecked();
    meco = fieldDouble(mecoEdit);
}

void ObLaunchDialog::siteSlot(int index)
{
    csx = index;
    const bool user = index <= 0 || index >= kLaunchSites;
    if (!user) {
        const LaunchSite& s = LaunchSites()[static_cast<std::size_t>(index)];
        latEdit->setText(numText(s.lat));
        lonEdit->setText(numText(s.lon));
    }
    enableField(latEdit, user);
    enableField(lonEdit, user);
}
