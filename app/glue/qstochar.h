// Conversion of GUI strings into the fixed byte buffers of the settings record.
#pragma once

#include <QString>

// Copies the first min(length, max) bytes of s (8-bit) into out, carriage returns becoming NUL,
// and terminates out after them; out must hold max + 1 bytes.
void QsToChar(const QString& s, char* out, int max);
// The same for a whole buffer: as many bytes as out holds before its terminator.
template <int N>
void QsToChar(const QString& s, char (&out)[N])
{
    QsToChar(s, out, N - 1);
}
