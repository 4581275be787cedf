#include "obmapdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cstdio>
#include <initializer_list>
#include <utility>

#include "core/records.h"
#include "dialogfields.h"
#include "foundation/textconv.h"

namespace {

// Map type of the world image, and the one offered in its place when the image is missing.
constexpr int kPhysicalMap = 3;
constexpr int kOutlineMap = 0;
// Sky projections: zenith, the four fixed horizon directions from north, and a free azimuth.
constexpr int kZenith = 0;
constexpr int kFreeAzimuth = 5;
constexpr double kDegreesPerDirection = 90.0;

// Button names and texts of one choice, in the order of their stored values.
using Choices = std::initializer_list<std::pair<const char*, QString>>;

// Group box titled title with one radio button per choice, collected in group under the ids
// 0, 1, ...; the buttons are laid out in columns of at most rows buttons.
QGroupBox* choiceBox(QButtonGroup* group, const QString& title, const QString& name,
                     const QString& tip, const QString& whatsThis, Choices choices, int rows)
{
    auto* box = describe(new QGroupBox(title), name, tip, whatsThis);
    auto* grid = new QGridLayout(box);
    int id = 0;
    for (const auto& [buttonName, text] : choices) {
        auto* b = describe(new QRadioButton(text), buttonName, tip, whatsThis);
        group->addButton(b, id);
        grid->addWidget(b, id % rows, id / rows);
        ++id;
    }
    return box;
}

// Checks the button of value in group, or the first one for a value it does not offer.
void checkChoice(QButtonGroup* group, int value)
{
    QAbstractButton* b = group->button(value);
    (b ? b : group->button(0))->setChecked(true);
}

// Text of a frequency in the "%g" format with a decimal point.
QString frequencyText(double hz)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", hz);
    decdot(buf);
    return QString::fromLatin1(buf);
}

}  // namespace

ObMapDialog::ObMapDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Map Settings"));
    backGroup = new QButtonGroup(this);
    auto* backBox = choiceBox(
        backGroup, tr("&Background"), "backGroup", tr("Background colour of the maps."),
        tr("Colour scheme of the world and sky maps: white, grey or black background."),
        {{"whiteButton", tr("&White")}, {"greyButton", tr("G&rey")}, {"blackButton", tr("Blac&k")}},
        3);
    gridGroup = new QButtonGroup(this);
    gridBox = choiceBox(gridGroup, tr("&Grid"), "gridGroup",
                        tr("Coordinate grid for the world map."),
                        tr("Lines of latitude and longitude drawn over the ground-track map."),
                        {{"gnoButton", tr("&No coordinates")},
                         {"g30Button", tr("&30 degree grid")},
                         {"g10Button", tr("&10 degree grid")}},
                        3);
    mapGroup = new QButtonGroup(this);
    mapBox = choiceBox(mapGroup, tr("&Map Projection"), "mapGroup",
                       tr("Projection for the groundtrack map."),
                       tr("The whole world in a rectangular projection (outlines or the "
                          "physical map), or one hemisphere seen from above its pole."),
                       {{"pstdButton", tr("Simple World Map")},
                        {"pnorthButton", tr("Northern Hemisphere")},
                        {"psouthButton", tr("Southern Hemisphere")},
                        {"ppwmButton", tr("Physical World Map")}},
                       4);
    ppwmButton = static_cast<QRadioButton*>(mapGroup->button(kPhysicalMap));
    skyGroup = new QButtonGroup(this);
    skyprojBox = choiceBox(skyGroup, tr("&Projection"), "skyGroup", tr("Projection of the sky map."),
                           tr("The whole sky around the zenith, or a band along the horizon "
                              "centred on north, east, south, west or a chosen azimuth."),
                           {{"zenithButton", tr("&Zenith")},
                            {"northButton", tr("Nort&h")},
                            {"eastButton", tr("&East")},
                            {"southButton", tr("So&uth")},
                            {"westButton", tr("Wes&t")},
                            {"azimButton", tr("&Azimuth/Auto")}},
                           3);

    auto* fields = new QFormLayout;
    meridianEdit = describe(new QLineEdit, "meridianEdit",
                            tr("Central meridian of the groundtrack map."),
                            tr("Longitude in degrees (east positive) shown in the middle of the "
                               "world map, or pointing up on the hemisphere maps."));
    meridianLabel = new QLabel(tr("Central Meri&dian (deg):"));
    meridianLabel->setBuddy(meridianEdit);
    fields->addRow(meridianLabel, meridianEdit);
    azimEdit = describe(new QLineEdit, "azimEdit", tr("Central azimuth for sky map."),
                        tr("Azimuth in degrees at the centre of the horizon band; the jump to "
                           "the next or last pass replaces it by the azimuth of the pass."));
    azimLabel = new QLabel(tr("C&tr.Azimuth (deg):"));
    azimLabel->setBuddy(azimEdit);
    fields->addRow(azimLabel, azimEdit);
    frequEdit = addField(fields, tr("Doppler Fre&quency (Hz):"), "frequEdit",
                         tr("Frequency if Doppler to be calculated."),
                         tr("Transmitter frequency in Hz; the information area then shows the "
                            "received frequency instead of the range rate. 0 shows the range "
                            "rate."));

    skyBox = describe(new QCheckBox(tr("&Sky Map")), "skyBox", tr("Display sky map."),
                      tr("The map page shows the sky of the observer instead of the ground "
                         "tracks."));
    satskyBox = describe(new QCheckBox(tr("Satellite &View")), "satskyBox",
                         tr("Sky map from satellite."),
                         tr("The sky map shows the sky as seen from the prime satellite, with "
                            "its depressed horizon."));
    nightBox = describe(new QCheckBox(tr("Show Da&y/Night - No Trail")), "nightBox",
                        tr("Day/night shading of world map."),
                        tr("The night side of the Earth is shaded; the map is redrawn at every "
                           "step, so no tracks accumulate."));
    ra4dBox = describe(new QCheckBox(tr("RA/Dec with &4 digits")), "ra4dBox",
                       tr("Show coordiantes with higher precision."),
                       tr("R.A. and Dec. in the information area get four decimals."));
    fszBox = describe(new QCheckBox(tr("&Large Font")), "fszBox", tr("Font for bottom text."),
                      tr("The information text under the map is set in 12 instead of 10 "
                         "points."));
    boldBox = describe(new QCheckBox(tr("Bold &Font")), "boldBox", tr("Font for bottom text."),
                       tr("The information text under the map is set in bold type."));

    auto* choices = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{backBox, gridBox, mapBox, skyprojBox})
        choices->addWidget(w, 0, Qt::AlignTop);
    auto* boxes = new QGridLayout;
    boxes->addWidget(skyBox, 0, 0);
    boxes->addWidget(satskyBox, 0, 1);
    boxes->addWidget(nightBox, 1, 0);
    boxes->addWidget(ra4dBox, 1, 1);
    boxes->addWidget(fszBox, 2, 0);
    boxes->addWidget(boldBox, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(fields);
    layout->addLayout(boxes);
    layout->addLayout(okCancelRow(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);  // shrinks with the hidden controls

    backGroup->button(0)->setChecked(true);
    gridGroup->button(0)->setChecked(true);
    mapGroup->button(0)->setChecked(true);
    skyGroup->button(kZenith)->setChecked(true);
    connect(skyBox, &QCheckBox::toggled, this, &ObMapDialog::applyRules);
    connect(skyGroup, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (on)
            projectionChosen(id);
    });
    applyRules();
}

void ObMapDialog::projectionChosen(int id)
{
    if (id > kZenith && id < kFreeAzimuth)
        azimEdit->setText(numText((id - 1) * kDegreesPerDirection));
    applyRules();
}

void ObMapDialog::applyRules()
{
    const bool sky = skyBox->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{gridBox, mapBox, meridianLabel,
                                                      meridianEdit})
        showControl(w, !sky);
    showControl(satskyBox, sky);
    showControl(skyprojBox, sky);
    const bool freeAzimuth = sky && skyGroup->checkedId() == kFreeAzimuth;
    showControl(azimEdit, freeAzimuth);
    showControl(azimLabel, freeAzimuth);
}

void ObMapDialog::setParams(int grid, int background, int skyproj, int daynight, int skymap,
                            int fourdigits, double skyazim, bool satview)
{
    checkChoice(gridGroup, grid);
    checkChoice(backGroup, background);
    {
        // The stored azimuth stays as it is, whichever direction is checked.
        const QSignalBlocker block(skyGroup);
        checkChoice(skyGroup, skyproj);
    }
    nightBox->setChecked(daynight != 0);
    skyBox->setChecked(skymap != 0);
    ra4dBox->setChecked(fourdigits != 0);
    azimEdit->setText(numText(skyazim));
    satskyBox->setChecked(satview);
    applyRules();
}

void ObMapDialog::setParamF(int fontsize, bool bold, int maptype, double cenlon, double doppler,
                            bool imageok)
{
    showControl(ppwmButton, imageok);
    checkChoice(mapGroup, maptype == kPhysicalMap && !imageok ? kOutlineMap : maptype);
    fszBox->setChecked(fontsize > kNormalFont);
    boldBox->setChecked(bold);
    meridianEdit->setText(numText(cenlon));
    frequEdit->setText(frequencyText(doppler));
    applyRules();
}

void ObMapDialog::getParams(int& grid, int& background, int& skyproj, int& daynight, int& skymap,
                            int& fourdigits, double& skyazim, bool& satview) const
{
    grid = gridGroup->checkedId();
    background = backGroup->checkedId();
    skyproj = skyGroup->checkedId();
    daynight = nightBox->isChecked() ? 1 : 0;
    skymap = skyBox->isChecked() ? 1 : 0;
    fourdigits = ra4dBox->isChecked() ? 1 : 0;
    skyazim = fieldDouble(azimEdit);
    satview = satskyBox->isChecked();
}

void ObMapDialog::getParamF(int& fontsize, bool& bold, int& maptype, double& cenlon,
                            double& doppler) const
{
    fontsize = fszBox->isChecked() ? kLargeFont : kNormalFont;
    bold = boldBox->isChecked();
    maptype = mapGroup->checkedId();
    cenlon = fieldDouble(meridianEdit);
    doppler = fieldDouble(frequEdit);
}
