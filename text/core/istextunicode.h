#ifndef LINTRA_ISTEXTUNICODE_H
#define LINTRA_ISTEXTUNICODE_H

#include <QtGlobal>

// Whether a buffer is UTF-16 little-endian text. On Windows this is the
// system's own test (all of its checks); elsewhere it is Utf16LeTextRules.
bool IsTextUnicode(const char *data, quint32 size);

// Our deterministic stand-in for the Windows test; the rules are listed at
// its definition. Compiled on every platform so that it can be tested anywhere.
bool Utf16LeTextRules(const char *data, quint32 size);

#endif
