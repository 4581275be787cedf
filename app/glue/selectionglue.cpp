#include "app/glue/selectionglue.h"

#include <string>

#include "core/records.h"
#include "core/selection.h"
#include "core/tlefile.h"

namespace {

// Runs one core search on the QString key.
template <typename Search>
void searchWith(QString& key, Search search)
{
    std::string text = key.toStdString();
    search(text);
    key = QString::fromLatin1(text.c_str());
}

}  // namespace

void vsFindSat(QString& key, int& n, int kind, int low, int recent)
{
    if (!satfle) { n = 0; return; }
    searchWith(key, [&](std::string& k) { vsFindSat(indata, *satfle, k, n, kind, low, recent); });
}

void vsReComp(QString& key, int& n, int kind, int more, int low, int recent)
{
    if (!satfle) { n = 0; return; }
    searchWith(key,
               [&](std::string& k) { vsReComp(indata, *satfle, k, n, kind, more, low, recent); });
}

void vsSatSel() { vsSatSel(indata); }

void vsLastSat(QString& key, int& kind, int& n, int& nsat, int& low, int& recent)
{
    std::string k;
    vsLastSat(indata, k, kind, n, nsat, low, recent);
    key = QString::fromLatin1(k.c_str());
}

void vsLowRecent(int low, int recent) { vsLowRecent(indata, low, recent); }

void vsResetSatList() { vsResetSatList(indata); }

QString vsSatName(int i) { return QString::fromLatin1(vsSatName(indata, i).c_str()); }

QString vsSatList() { return QString::fromLatin1(vsSatList(indata).c_str()); }
