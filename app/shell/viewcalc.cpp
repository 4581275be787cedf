// The view's computing commands: pass lists, all-satellite passes, next satellites, saving the
// results and the TLEs, and writing the settings at exit.
#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <memory>

#include "app/glue/fileglue.h"
#include "app/glue/messages.h"
#include "app/glue/searchrunner.h"
#include "core/cataloguesearch.h"
#include "core/configsave.h"
#include "core/passpage.h"
#include "core/tlesave.h"
#include "obpassdialog.h"
#include "orbikaview.h"

namespace {

// Wait cursor for the lifetime of the object.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Takes over the settings and selection of a search that ran on copies of the records; the
// satellite model of this thread is set up again from them.
void keepSearchRecords(const WinpData& searched)
{
    *indata = searched;
    indata->sgpslot = kNoSgpSlot;
}

}  // namespace

int OrbikaView::vNextSat()
{
    auto in = std::make_unique<WinpData>(*indata);
    auto sp = std::make_unique<SatPosData>(*satps);
    in->iridmode = kPlainPasses;
    const int n = RunSearch(this, tr("Next Satellites"),
                            [&](SearchProgress& p) { return Nxt4Pass(in.get(), sp.get(), &p); });
    in->iridmode = indata->iridmode;
    if (n != kAllSatCancelled) keepSearchRecords(*in);
    return n;
}

void OrbikaView::vCalcAOS()
{
    if (indata->iridmode == kIridiumMode) {
        CmIridium();
        return;
    }
    const int iridmode = indata->iridmode;
    const bool iridflg = indata->iridflg;
    if (!prepareEvents())
        return;
    indata->iridflg = false;
    outdata->nlines = 0;
    {
        const WaitCursor wait;
        aospass(indata, outdata);
    }
    if (!indata->autosave) {
        indata->pagemode = -1;
        showSattxt();
    }
    indata->iridmode = iridmode;
    indata->iridflg = iridflg;
}

void OrbikaView::vAllSat()
{
    const QString name = vsFileName(indata->savename);
    const int iridmode = indata->iridmode;
    if (!prepareEvents())
        return;
    auto in = std::make_unique<WinpData>(*indata);
    auto sp = std::make_unique<SatPosData>(*satps);
    const int threads = SearchThreads();
    const int result = RunSearch(this, tr("All Passes"),
                                 [&](SearchProgress& p) { return AllSatAos(in.get(), sp.get(), nullptr, threads, &p); });
    if (result != kAllSatCancelled) keepSearchRecords(*in);
    indata->iridmode = iridmode;
    if (result == kAllSatCancelled)
        return;
    if (result == kAllSatSaveFailed)
        inform(this, tr("*** Problems with the output file"), tr("All Passes"));
    else if (result == kAllSatTleFailed)
        inform(this, tr("*** Problems with the input file"), tr("All Passes"));
    else
        inform(this, tr("List of passes saved on file ") + name, tr("Orbika"));
}

void OrbikaView::vTLESave()
{
    if (indata->nsat <= 0) {
        inform(this, tr("*** No Satellite Selected ***"), tr("Orbika"));
        return;
    }
    QString name = vsFileName(indata->tlesave);
    int result = SaveTle(indata);
    if (result == kTleNumberTooLarge && askCsvSave(CsvSaveName(name.toStdString()))) {
        setTSaveName(QString::fromStdString(CsvSaveName(name.toStdString())));
        name = vsFileName(indata->tlesave);
        result = SaveTle(indata);
    }
    reportTleSave(result, name);
}

bool OrbikaView::askCsvSave(const std::string& csvName)
{
    const QString text = tr("Catalogue numbers above %1 do not fit a TLE.\n\nSave the elements as "
                            "OMM CSV in %2?").arg(kLastAlpha5Number).arg(QString::fromStdString(csvName));
    return QMessageBox::question(this, tr("TLE File Save"), text) == QMessageBox::Yes;
}

void OrbikaView::reportTleSave(int result, const QString& name)
{
    if (result == kTleSaved && IsCsvName(name.toStdString()))
        inform(this, tr("Elements saved as OMM CSV on file ") + name, tr("Orbika"));
    else if (result == kTleSaved)
        inform(this, tr("TLE's saved on file ") + name, tr("Orbika"));
    else if (result == kTleNoSatellite)
        inform(this, tr("*** No Satellite Selected ***"), tr("Orbika"));
    else if (result == kTleNumberTooLarge)
        inform(this, tr("*** Nothing saved: catalogue numbers above %1 do not fit a TLE")
                         .arg(kLastAlpha5Number), tr("TLE File Save"));
    else if (result == kTleStateVectorCsv)
        inform(this, tr("*** Nothing saved: a state vector cannot be saved as OMM CSV; "
                        "choose a TLE file name"), tr("TLE File Save"));
    else
        inform(this, tr("*** ERROR *** while opening or writing TLE Save File"),
               tr("TLE File Save"));
}

void OrbikaView::vFileSave()
{
    if (indata->nsat <= 0 && indata->iridmode != kIridiumMode) {
        inform(this, tr("*** No Satellite Selected ***"), tr("Orbika"));
        return;
    }
    const QString name = vsFileName(indata->savename);
    indata->autosave = 1;
    vCalcAOS();
    indata->autosave = 0;
    if (QFileInfo(name).isWritable())
        inform(this, tr("Saved on File ") + name, tr("Orbika"));
    else
        inform(this, tr("*** Problems with the output file"), tr("Orbika"));
}

void OrbikaView::showPassDetails(int i)
{
    const int iridmode = indata->iridmode;
    indata->iridmode = kPlainPasses;
    indata->pdpass = i;
    ObPassDialog dialog(this);
    dialog.setParams(indata->fontsize);
    dialog.exec();
    indata->iridmode = iridmode;
}

void OrbikaView::vQuit() { savecfg(indata); }
