// The view's visibility and map settings commands.
#include "core/occtrans.h"
#include "obmapdialog.h"
#include "obvisdialog.h"
#include "orbikaview.h"

namespace {

constexpr double kFullCircle = 360.0;

// True when the yaw/pitch pair of the settings is the cylinder axis of cylindrical flares
// rather than the mirror normal or the occultation target.
bool cylinderAxis(const WinpData& in)
{
    return in.cylflare && in.flares == 1 && in.knownsurf < 0;
}

// True when the occultation body changed from the Sun to the Moon or back.
bool sunMoonSwap(int before, int after)
{
    const auto disc = [](int occ) { return occ == kSunTarget || occ == kMoonTarget; };
    return disc(before) && disc(after) && before != after;
}

}  // namespace

void OrbikaView::vVisibility()
{
    WinpData& in = *indata;
    const bool axis = cylinderAxis(in);
    ObVisDialog dialog(this);
    dialog.setParams(in.maxsunelev, in.minsatelev, in.epoch, axis ? in.flryaw2 : in.flryaw,
                     axis ? in.flrpitch2 : in.flrpitch, in.visonly, in.moonvis);
    dialog.setParam2(in.smplotflg, in.occmode, in.iridmode, in.flares, in.knownsurf, in.yawsteer,
                     in.eclchk, in.solpanel, in.iridflg, in.flrmaxmag, in.cylflare);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const int occBefore = in.occmode;
    double yaw = 0, pitch = 0;
    dialog.getParams(in.maxsunelev, in.minsatelev, in.epoch, yaw, pitch, in.visonly, in.moonvis);
    dialog.getParam2(in.smplotflg, in.occmode, in.iridmode, in.flares, in.knownsurf, in.yawsteer,
                     in.eclchk, in.solpanel, in.iridflg, in.flrmaxmag, in.cylflare);
    (cylinderAxis(in) ? in.flryaw2 : in.flryaw) = yaw;
    (cylinderAxis(in) ? in.flrpitch2 : in.flrpitch) = pitch;
    if (in.smplotflg && sunMoonSwap(occBefore, in.occmode))
        in.lastrefresh = 0;  // the next plot draws the other disc
}

void OrbikaView::vMapDialog()
{
    WinpData& in = *indata;
    ObMapDialog dialog(this);
    dialog.setParams(in.grid, in.mapbg, in.skyproj, in.daynight, in.skymap, in.digits4,
                     in.skyazim, in.satview);
    // Without the world image the dialog offers the outline map in place of the physical one.
    dialog.setParamF(in.txtfontsz, in.txtbold, in.maptype, in.cenlon, in.dopfreq, in.mapimgok);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.getParams(in.grid, in.mapbg, in.skyproj, in.daynight, in.skymap, in.digits4,
                     in.skyazim, in.satview);
    dialog.getParamF(in.txtfontsz, in.txtbold, in.maptype, in.cenlon, in.dopfreq);
    if (in.cenlon < 0)
        in.cenlon += kFullCircle;
    if (in.dopfreq < 0)
        in.dopfreq = 0;  // no frequency: the range rate is shown
    vRefresh();
}
