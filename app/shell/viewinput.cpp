// The view's input commands: the selection dialogs and the dialogs of date, site, IERS values,
// system parameters, time step, prime satellite and magnitude.
#include <cmath>
#include <cstdio>

#include <QDateTime>
#include <QFileInfo>
#include <QInputDialog>

#include "app/glue/messages.h"
#include "app/glue/qstochar.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "obdatedialog.h"
#include "obiersdialog.h"
#include "obobsdialog.h"
#include "obremsatdialog.h"
#include "obselsatdialog.h"
#include "obstepdialog.h"
#include "obswitchdialog.h"
#include "obsysconfdialog.h"
#include "orbikaview.h"
#include "settingsupdate.h"

namespace {

// Characters kept of a location name.
constexpr int kLocNameChars = 30;
// TT - TAI in seconds, and the rounding guard of the default UTC - TAI.
constexpr double kTtTai = 32.184;
constexpr double kRoundGuard = 0.0001;
// Range and decimals of the characteristic length, metres.
constexpr double kMaxCharLen = 10000.0;
constexpr int kCharLenDecimals = 2;

// Problems of TLE entries listed in one warning; the rest are counted.
constexpr size_t kShownProblems = 10;

}  // namespace

void OrbikaView::vCheckTle()
{
    const QFileInfo info(QString::fromLocal8Bit(indata->tlefile));
    const QString version = info.absoluteFilePath() + QLatin1Char('\n') + info.lastModified().toString(Qt::ISODateWithMs);
    if (version == checkedTle)
        return;
    checkedTle = version;
    const std::string text = ElementFileWarnings(indata->tlefile, kShownProblems);
    if (!text.empty())
        warn(this, QString::fromLocal8Bit(text.c_str()));
}

void OrbikaView::vSelectSat()
{
    ElementReader reader(indata->tlefile);
    const std::string problem = ElementFileProblem(reader, indata->tlefile);
    if (!problem.empty()) {
        warnQuit(this, tr("Unable to open TLE file ") + QString::fromLocal8Bit(problem.c_str()));
        return;
    }
    vCheckTle();
    satfle = &reader;
    ObSelSatDialog dialog(this);
    dialog.setParams();
    dialog.exec();
    satfle = nullptr;
}

void OrbikaView::vRemoveSat()
{
    if (indata->nsat <= 0)
        return;
    ObRemSatDialog dialog(this);
    dialog.setParams(indata->nsat);
    if (dialog.exec() != QDialog::Accepted)
        return;
    bool marks[kMaxSat] = {};
    dialog.getParams(marks);
    RemoveSats(indata, marks);
}

int OrbikaView::vInputDate()
{
    WinpData& in = *indata;
    ObDateDialog dialog(this);
    dialog.setParams(in.year, in.month, in.day, in.hour, in.minute, in.second, in.timezone,
                     in.systzflg, in.dateonly == 1 ? -in.duration : in.duration, in.rtoffset);
    if (dialog.exec() != QDialog::Accepted)
        return 1;
    double duration = in.duration;
    dialog.getParams(in.year, in.month, in.day, in.hour, in.minute, in.second, in.timezone,
                     in.systzflg, duration, in.rtoffset);
    if (in.dateonly != 1)
        in.duration = std::fabs(duration);
    setNewMjd(indata);
    return 0;
}

int OrbikaView::vInputLocation()
{
    WinpData& in = *indata;
    ObObsDialog dialog(this);
    dialog.setParams(in.obslat, in.obslon, in.obshgt, in.locname, in.dmsflg != 0);
    if (dialog.exec() != QDialog::Accepted)
        return 1;
    bool ddmm = false;
    dialog.getParams(in.obslat, in.obslon, in.obshgt, ddmm);
    in.dmsflg = ddmm;
    QsToChar(dialog.getGeoname(), in.locname, kLocNameChars);
    return 0;
}

void OrbikaView::vSetIERS()
{
    WinpData& in = *indata;
    const int utctai =
        in.iersflg ? in.utctai : -static_cast<int>(std::lround(in.ttut - kTtTai + kRoundGuard));
    ObIersDialog dialog(this);
    dialog.setParams(in.iersflg, in.polex, in.poley, utctai, in.ut1utc);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.getParams(in.iersflg, in.polex, in.poley, in.utctai, in.ut1utc);
    in.ttut = SetTtUt(indata, in.year);
}

void OrbikaView::vSysConf()
{
    WinpData& in = *indata;
    ObSysConfDialog dialog(this);
    dialog.setParams(in.inttol, in.f107, in.f107avg, in.kp, in.cd, in.cr, in.areamass,
                     in.liftdrag, in.sunpert, in.moonpert, in.refract, in.maxiter, in.extinct);
    if (dialog.exec() == QDialog::Accepted)
        dialog.getParams(in.inttol, in.f107, in.f107avg, in.kp, in.cd, in.cr, in.areamass,
                         in.liftdrag, in.sunpert, in.moonpert, in.refract, in.maxiter,
                         in.extinct);
}

void OrbikaView::vStep()
{
    ObStepDialog dialog(this);
    dialog.setParams(indata->stepmin, indata->stepsec);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int minutes = 0;
    double seconds = 0;
    dialog.getParams(minutes, seconds);
    SetTimeStep(indata, minutes, seconds);
}

void OrbikaView::vSwitch()
{
    ObSwitchDialog dialog(this);
    dialog.setParams(indata->prime, indata->relmode, indata->nsat);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int prime = indata->prime;
    dialog.getParams(prime, indata->relmode);
    if (prime >= 0 && prime < indata->nsat)
        indata->prime = prime;
}

void OrbikaView::vMag()
{
    bool ok = false;
    const double len = QInputDialog::getDouble(this, tr("Magnitude"), tr("Charact.Length (meters):"),
                                               indata->charlen, 0, kMaxCharLen, kCharLenDecimals,
                                               &ok);
    if (ok)
        indata->charlen = len;
}
