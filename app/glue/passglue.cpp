#include "app/glue/passglue.h"

#include <cstdio>

#include <QApplication>

#include "app/glue/fileglue.h"
#include "app/glue/messages.h"
#include "core/orbitpole.h"
#include "core/passdetails.h"
#include "core/records.h"
#include "core/safewrite.h"

namespace {

// Detail modes of GetPassDTxt: display, plain numbers, ground track.
constexpr int kDisplay = 0;
constexpr int kPlainNumbers = 1;
constexpr int kGroundTrack = 2;
// Most lines written to the save file for one pass.
constexpr int kMaxSavedLines = 16250;

}  // namespace

int vsGetPassDTxt(double& t, QString& text, bool pole)
{
    char buf[kPassDetailBytes] = "";
    int more = 1;
    if (pole)
        GetPoleTxt(indata, buf);
    else
        more = GetPassDTxt(indata, t, buf, kDisplay);
    text = QString::fromLatin1(buf);
    return more;
}

void vsSavePassDt(int kind)
{
    const QString name = vsFileName(indata->savename);
    const int mode = kind == 2 ? kGroundTrack : kPlainNumbers;
    const bool written = WriteFile(indata->savename, indata->savenew != 0, [mode](std::FILE* f) {
        double t = 0;
        int lines = 0;
        char buf[kPassDetailBytes];
        for (bool more = true; more && lines < kMaxSavedLines; ++lines) {
            buf[0] = '\0';
            more = GetPassDTxt(indata, t, buf, mode) != 0;
            std::fputs(buf, f);
        }
        if (mode == kPlainNumbers && lines > 1) {
            buf[0] = '\0';
            GetPoleTxt(indata, buf);
            std::fputs("\n", f);
            std::fputs(buf, f);
        }
        std::fputs("\n", f);
    });
    if (!written)
        return;
    indata->savenew = 0;
    inform(QApplication::activeWindow(), QObject::tr("Saved on File ") + name,
           QStringLiteral("Orbika"));
}
