#include "app/glue/qstochar.h"

#include <algorithm>

#include <QByteArray>

void QsToChar(const QString& s, char* out, int max)
{
    const QByteArray bytes = s.toLatin1();
    const int n = max < 0 ? 0 : std::min<int>(bytes.size(), max);
    for (int i = 0; i < n; ++i)
        out[i] = bytes[i] == '\r' ? '\0' : bytes[i];
    out[n] = '\0';
}
