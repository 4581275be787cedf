// The view's commands around one place and one satellite track: local information for a site
// entered on the spot, and the orbit track written to the save file.
#include <cstring>

#include "app/glue/fileglue.h"
#include "app/glue/messages.h"
#include "core/passdetails.h"
#include "oblocaldialog.h"
#include "orbikaview.h"

namespace {

// The site fields that a local information request borrows.
struct Site {
    double lat, lon, hgt;
    int dmsflg;
    char locname[sizeof(WinpData::locname)];
};

Site saveSite(const WinpData& in)
{
    Site s{in.obslat, in.obslon, in.obshgt, in.dmsflg, {}};
    std::memcpy(s.locname, in.locname, sizeof s.locname);
    return s;
}

void restoreSite(WinpData& in, const Site& s)
{
    in.obslat = s.lat;
    in.obslon = s.lon;
    in.obshgt = s.hgt;
    in.dmsflg = s.dmsflg;
    std::memcpy(in.locname, s.locname, sizeof s.locname);
}

// saveOrbitTrack result when the save file cannot be opened.
constexpr int kTrackFileFailed = 1;

}  // namespace

void OrbikaView::vLocalInf()
{
    if (indata->skymap != 0)
        return;
    const Site site = saveSite(*indata);
    localMode = true;
    if (vInputLocation() == 0)
        vLocalPass();
    restoreSite(*indata, site);
    localMode = false;
}

void OrbikaView::vLocalPass()
{
    char text[kLocalInfBytes] = "";
    LocalInf(indata, text);
    ObLocalDialog dialog(this);
    dialog.setParams(QString::fromLatin1(text), indata->fontsize);
    dialog.exec();
}

void OrbikaView::vOrbitTrack()
{
    if (indata->nsat <= 0) {
        inform(this, tr("*** Problems with the input file"), tr("All Passes"));
        return;
    }
    const QString name = vsFileName(indata->savename);
    if (saveOrbitTrack(indata) == kTrackFileFailed)
        inform(this, tr("*** Problems with the output file"), tr("Save Orbit Track"));
    else
        inform(this, tr("Track saved on file ") + name, tr("Orbika"));
}
