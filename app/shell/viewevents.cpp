// The view's event commands: the event type and largest distance of the pass searches for
// transits, occultations and flares, and the Iridium flare search with its flare page.
#include <cstdio>
#include <cstring>

#include <QApplication>
#include <QFile>
#include <QInputDialog>

#include "app/glue/fileglue.h"
#include "app/glue/messages.h"
#include "core/cataloguesearch.h"
#include "core/iridium.h"
#include "obiridiumdialog.h"
#include "orbikaview.h"

namespace {

// Range and decimals of the event distance input, km.
constexpr double kMaxEventDist = 50000.0;
constexpr int kEventDistDecimals = 1;
// Element file of the Iridium satellites in the directory of the TLE file.
constexpr const char* kIridiumElements = "*IRIDIUM.TXT";


// The settings that the Iridium flare search changes, put back when the object goes.
class FlareSettingsKeeper {
public:
    explicit FlareSettingsKeeper(WinpData& in)
        : in_(in), flryaw_(in.flryaw), flrpitch_(in.flrpitch), charlen_(in.charlen),
          iridmode_(in.iridmode), flares_(in.flares), knownsurf_(in.knownsurf),
          yawsteer_(in.yawsteer), occmode_(in.occmode)
    {
    }
    ~FlareSettingsKeeper()
    {
        in_.flryaw = flryaw_;
        in_.flrpitch = flrpitch_;
        in_.charlen = charlen_;
        in_.iridmode = iridmode_;
        in_.flares = flares_;
        in_.knownsurf = knownsurf_;
        in_.yawsteer = yawsteer_;
        in_.occmode = occmode_;
    }
    FlareSettingsKeeper(const FlareSettingsKeeper&) = delete;
    FlareSettingsKeeper& operator=(const FlareSettingsKeeper&) = delete;

private:
    WinpData& in_;
    double flryaw_, flrpitch_, charlen_;
    decltype(WinpData::iridmode) iridmode_;
    decltype(WinpData::flares) flares_;
    decltype(WinpData::knownsurf) knownsurf_;
    decltype(WinpData::yawsteer) yawsteer_;
    decltype(WinpData::occmode) occmode_;
};

// A file name of the settings record, saved and put back when the object goes.
class NameKeeper {
public:
    explicit NameKeeper(char (&name)[sizeof(WinpData::savename)]) : name_(name)
    {
        std::memcpy(saved_, name, sizeof saved_);
    }
    ~NameKeeper() { std::memcpy(name_, saved_, sizeof saved_); }
    NameKeeper(const NameKeeper&) = delete;
    NameKeeper& operator=(const NameKeeper&) = delete;

private:
    char (&name_)[sizeof(WinpData::savename)];
    char saved_[sizeof(WinpData::savename)];
};

// Message for a failed flare search, empty when the search ran.
QString searchFailure(int result)
{
    switch (result) {
    case kAllSatRefused:
        return QObject::tr("*** Minimum magnitude above %1 is not accepted").arg(kFaintestFlareLimit);
    case kAllSatSaveFailed:
        return QObject::tr("*** Problems with the output file");
    case kAllSatTleFailed:
        return QObject::tr("*** Problems with the input file");
    default:
        return QString();
    }
}

}  // namespace

int OrbikaView::eventMode() const
{
    if (indata->occmode)
        return kTransitMode;
    if (indata->flares && indata->knownsurf > 0)
        return kFlareMode;
    return indata->iridmode;
}

bool OrbikaView::prepareEvents()
{
    const int iridmode = indata->iridmode;
    indata->iridmode = eventMode();
    if (indata->iridmode != kTransitMode && indata->iridmode != kFlareMode)
        return true;
    bool ok = false;
    const double dist = QInputDialog::getDouble(this, tr("Transit/Flares"),
                                                tr("Maximum Distance (km):"), indata->evmaxdist,
                                                0, kMaxEventDist, kEventDistDecimals, &ok);
    if (ok)
        indata->evmaxdist = dist;
    else
        indata->iridmode = iridmode;
    return ok;
}

void OrbikaView::vIridium()
{
    static_assert(sizeof(WinpData::tlefile) == sizeof(WinpData::savename), "file name buffers");
    const NameKeeper savename(indata->savename);
    const NameKeeper tlefile(indata->tlefile);
    const int savenew = indata->savenew;
    vsFileName(indata->tlesave);
    char elements[sizeof(WinpData::tlefile)];
    std::snprintf(elements, sizeof elements, "%s", kIridiumElements);
    vsFileName(elements);
    std::memcpy(indata->tlefile, elements, sizeof elements);
    indata->savenew = 1;
    CmIridium();
    indata->savenew = savenew;
}

void OrbikaView::CmIridium()
{
    const FlareSettingsKeeper keep(*indata);
    SetIridiumSearch(indata);
    ObIridiumDialog dialog(this);
    dialog.setParams(indata->irminmag, indata->iropsonly, indata->irpanel);
    if (dialog.exec() != QDialog::Accepted)
        return;
    bool opsonly = false;
    dialog.getParams(indata->irminmag, opsonly, indata->irpanel);
    indata->iropsonly = opsonly;
    indata->charlen = indata->moonvis ? 1 : 0;

    // Without autosave the list goes through a temporary save file that only feeds the page.
    const bool toPage = !indata->autosave;
    const NameKeeper savename(indata->savename);
    if (toPage) {
        std::snprintf(indata->savename, sizeof indata->savename, "%s", kIridiumSaveFile);
        indata->savenew = 1;
        QFile::remove(QString::fromLatin1(kIridiumSaveFile));
    } else {
        vsFileName(indata->savename);
    }
    indata->irwrote = !toPage;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int result = AllSatAos(indata);
    QApplication::restoreOverrideCursor();
    const QString failure = searchFailure(result);
    if (!failure.isEmpty())
        inform(this, failure, tr("Iridium Flares"));
    Iriddspy(indata, outdata);
    indata->irwrote = false;
    if (toPage) {
        QFile::remove(QString::fromLatin1(kIridiumSaveFile));
        showtxt(true);
    }
}
