// The address of the online TLE update: proposed from the last address and the current TLE file,
// confirmed by the user and split into host, path and target file.
#include <QFileInfo>
#include <QInputDialog>

#include "app/glue/fileglue.h"
#include "app/glue/messages.h"
#include "app/glue/qstochar.h"
#include "onlineupdate.h"
#include "orbikaview.h"

int OrbikaView::vUpdate(QString& hostName, QString& urlPath, QString& fileName)
{
    constexpr int kMaxAddress = sizeof indata->updurl - 1;
    bool ok = false;
    const QString proposal = updateProposal(QString::fromLatin1(indata->updurl),
                                            QString::fromLatin1(indata->tlefile));
    const QString answer =
        QInputDialog::getText(this, tr("Online Update"), tr("URL for TLE file to be downloaded:"),
                              QLineEdit::Normal, proposal, &ok)
            .left(kMaxAddress);
    if (!ok) return 1;
    UpdateAddress address;
    if (!splitUpdateAddress(answer, address)) {
        inform(this, tr("The address \"%1\" is too short.").arg(answer), tr("Online Update"));
        return 1;
    }
    QsToChar(answer, indata->updurl, kMaxAddress);
    hostName = address.hostName;
    urlPath = address.urlPath;
    // The file goes into the directory of the current TLE file; a query's reply replaces the
    // current TLE file.
    const QString base = address.fileName.isEmpty() ? QFileInfo(QString::fromLatin1(indata->tlefile)).fileName()
                                                    : address.fileName;
    char name[sizeof indata->savename];
    QsToChar(QLatin1Char('*') + base, name, sizeof name - 1);
    fileName = vsFileName(name);
    return 0;
}
