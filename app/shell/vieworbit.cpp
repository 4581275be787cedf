// The view's orbit commands: element editing, delta-V manoeuvre, launch and rendezvous launch,
// orbit determination from two observations and the search for matching satellites.
#include <QApplication>
#include <QInputDialog>

#include <cstdio>
#include <cstring>

#include "app/glue/messages.h"
#include "app/glue/qstochar.h"
#include "core/astrometry.h"
#include "core/deltav.h"
#include "core/epochstate.h"
#include "core/launch.h"
#include "core/match.h"
#include "core/orbitdet.h"
#include "core/statevector.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "foundation/textconv.h"
#include "obdeltadialog.h"
#include "obeditorbdialog.h"
#include "oblaunchdialog.h"
#include "obmatchdialog.h"
#include "oborbdetdialog.h"
#include "orbikaview.h"

namespace {

// Range and decimals of the rendezvous time input, days.
constexpr double kMaxRendezvousDays = 100.0;
constexpr int kRendezvousDecimals = 3;

// Asks for the date alone (interval and offset disabled); false on cancel.
bool inputDateOnly(OrbikaView* view)
{
    indata->dateonly = 1;
    const bool ok = view->vInputDate() == 0;
    indata->dateonly = 0;
    return ok;
}

// The element editor's values of slot p.
OrbEdit slotElements(const WinpData& in, int p)
{
    OrbEdit e;
    e.name = QString::fromLatin1(in.satname[p]);
    e.norad = in.satno[p];
    e.idsn = QString::fromLatin1(in.intldsn[p]);
    e.epoch = in.elepoch[p];
    e.incl = in.elincl[p];
    e.node = in.elnode[p];
    e.ecc = in.elecc[p];
    e.argp = in.elargp[p];
    e.manom = in.elmanom[p];
    e.mm = in.elmm[p];
    e.sma = in.elsma[p];
    e.ndot = in.elndot[p];
    e.adot = in.eladot[p];
    e.n2dot = in.elnddot[p];
    e.bstar = in.elbstar[p];
    e.sgp4 = in.sgp4flg[p] != 0;
    e.numeric = in.numflg[p] != 0;
    return e;
}

// Stores the editor's values in slot p and derives its epoch state from them.
void storeElements(WinpData* in, int p, const OrbEdit& e)
{
    QsToChar(e.name, in->satname[p]);
    QsToChar(e.idsn, in->intldsn[p]);
    in->satno[p] = e.norad;
    in->elepoch[p] = e.epoch;
    in->elincl[p] = e.incl;
    in->elnode[p] = e.node;
    in->elecc[p] = e.ecc;
    in->elargp[p] = e.argp;
    in->elmanom[p] = e.manom;
    in->elmm[p] = e.mm;
    in->elsma[p] = e.sma;
    in->elndot[p] = e.ndot;
    in->eladot[p] = e.adot;
    in->elnddot[p] = e.n2dot;
    in->elbstar[p] = e.bstar;
    in->sgp4flg[p] = e.sgp4 ? 1 : 0;
    in->sgpslot = kNoSgpSlot;
    EpochState(in, p, false);
    in->numflg[p] = e.numeric ? 1 : 0;
}

// Slot for a satellite added to the selection: the next free one, or the last one when all are
// taken (the one before it when keep is the last).
int addedSlot(WinpData* in, int keep)
{
    if (in->nsat < kMaxSat) return in->nsat++;
    return keep == kMaxSat - 1 ? kMaxSat - 2 : kMaxSat - 1;
}

// Date, target orbit, launch site and launch computation; false when a dialog was cancelled.
bool launchSteps(OrbikaView* view)
{
    if (!inputDateOnly(view)) return false;
    view->vEditOrb();
    WinpData& in = *indata;
    if (in.nsat <= 0) return false;
    ObLaunchDialog dialog(view);
    dialog.setParams(in.lsite, in.lnchlat, in.lnchlon, in.lnchsouth == 1, in.lnchmeco);
    if (dialog.exec() != QDialog::Accepted) return false;
    bool south = false;
    dialog.getParams(in.lsite, in.lnchlat, in.lnchlon, south, in.lnchmeco);
    in.lnchsouth = south ? 1 : 0;
    LaunchOrb(indata);
    return true;
}

// Runs the match search and shows its page, or says that the TLE file cannot be opened.
void runMatch(OrbikaView* view)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const int failed = SatMatch(indata, outdata);
    QApplication::restoreOverrideCursor();
    if (failed)
        inform(view, QObject::tr("*** Unable to open TLE file ***"),
               QObject::tr("Find Matching Sats"));
    indata->mtchdone = 1;
    view->showtxt(true);
}

}  // namespace

void OrbikaView::vEditOrb()
{
    WinpData& in = *indata;
    in.sgpslot = kNoSgpSlot;
    const bool none = in.nsat <= 0;
    if (none) {
        in.prime = 0;
        vsNewSat(indata, 0);
    }
    ObEditOrbDialog dialog(this);
    dialog.setParams(slotElements(in, in.prime));
    if (dialog.exec() != QDialog::Accepted) return;
    OrbEdit e;
    bool newSat = false;
    dialog.getParams(e, newSat);
    if (none) {
        in.nsat = 1;
    } else if (newSat) {
        in.prime = addedSlot(indata, -1);
        vsNewSat(indata, in.prime);
    }
    storeElements(indata, in.prime, e);
}

void OrbikaView::vDeltaV()
{
    WinpData& in = *indata;
    if (in.nsat <= 0) {
        inform(this, tr("*** No Satellite Selected ***"), tr("Orbika"));
        return;
    }
    const int p = in.prime;
    if (!in.thrflg[p] && !inputDateOnly(this)) return;
    ObDeltaDialog dialog(this);
    dialog.setParams(in.thracc[p], in.thryaw[p], in.thrpitch[p], in.thrflg[p], in.thrsun[p],
                     in.numflg[p], in.thrupd[p]);
    if (dialog.exec() != QDialog::Accepted) return;
    dialog.getParams(in.thracc[p], in.thryaw[p], in.thrpitch[p], in.thrflg[p], in.thrsun[p],
                     in.thrupd[p]);
    if (in.thrflg[p]) return;  // continuous thrust acts during the numerical propagation
    if (ExDeltaV(indata, in.thracc[p], in.thryaw[p], in.thrpitch[p]) == kDeltaVHyperbolic)
        inform(this, tr("Delta-V resulted in a hyperbolic orbit"), tr("Orbika"));
}

void OrbikaView::vLaunch()
{
    if (!launchSteps(this) || indata->rdvsel >= 0) return;
    char text[64];
    std::snprintf(text, sizeof text, "Launch Azimuth (deg):\n\t%8.2lf", indata->lnchazim);
    decdot0(text);
    inform(this, QString::fromLatin1(text), tr("Launch Orbit"));
}

void OrbikaView::vRendz()
{
    WinpData& in = *indata;
    if (in.nsat <= 0) {
        inform(this, tr("*** No target satellite selected ***"), tr("Rendezvous Launch"));
        return;
    }
    bool ok = false;
    const double days =
        QInputDialog::getDouble(this, tr("Rendezvous Launch"), tr("Time until close approach (days):"),
                                in.rdvtime, 0.0, kMaxRendezvousDays, kRendezvousDecimals, &ok);
    if (!ok) return;
    in.rdvtime = days;
    in.rdvslot = in.prime;
    const int chaser = addedSlot(indata, in.prime);
    ShiftElm(indata, chaser, in.rdvslot);
    in.prime = chaser;
    in.rdvsel = in.rdvslot;
    const bool launched = launchSteps(this);
    in.rdvsel = -1;
    if (!launched) return;
    setLocalDate(indata);
    char text[64];
    std::snprintf(text, sizeof text, "Launch time: %4i-%2i-%2i  %2i:%2i:%2i", in.year, in.month,
                  in.day, in.hour, in.minute, in.second);
    inform(this, QString::fromLatin1(text), tr("Rendezvous Launch"));
}

void OrbikaView::vOrbDet()
{
    if (!inputDateOnly(this)) return;
    WinpData& in = *indata;
    double ra1 = 0, dec1 = 0, ra2 = 0, dec2 = 0;
    const bool picture = vsGetPict(ra1, dec1, ra2, dec2);
    ObOrbDetDialog dialog(this);
    dialog.setParams(in.locaz, in.locel, in.locra, in.locdec, in.oddeltm, in.od1radec != 0,
                     in.od2radec != 0, in.mtcodflg, picture);
    if (dialog.exec() != QDialog::Accepted) return;
    bool radec1 = false, radec2 = false;
    dialog.getParams(in.locaz, in.locel, in.locra, in.locdec, in.oddeltm, radec1, radec2,
                     in.mtcodflg);
    in.od1radec = radec1 ? 1 : 0;
    in.od2radec = radec2 ? 1 : 0;
    OrbitDet(indata);
    vEditOrb();
    if (!in.mtcodflg) return;
    runMatch(this);
    in.mtcodflg = false;
}

void OrbikaView::vMatch()
{
    if (!inputDateOnly(this)) return;
    WinpData& in = *indata;
    ObMatchDialog dialog(this);
    dialog.setParams(in.occra, in.occdec, in.mtcdist, in.mtcdir, in.mtcwin, in.occradec != 0,
                     in.mtcdirflg != 0, in.mtcbright);
    if (dialog.exec() != QDialog::Accepted) return;
    bool radec = false, dirflg = false;
    dialog.getParams(in.occra, in.occdec, in.mtcdist, in.mtcdir, in.mtcwin, radec, dirflg,
                     in.mtcbright);
    in.occradec = radec ? 1 : 0;
    in.mtcdirflg = dirflg ? 1 : 0;
    in.mtcodflg = false;
    runMatch(this);
}
