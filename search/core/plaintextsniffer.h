#ifndef LINTRA_PLAINTEXTSNIFFER_H
#define LINTRA_PLAINTEXTSNIFFER_H

#include <QtGlobal>

// Tells from a file's first bytes whether it is plain text: it is, unless a
// NUL byte shows in its first SniffBytes bytes. A file that begins with a
// UTF-16 or UTF-32 byte-order mark is text, NUL bytes and all. It is fed the
// bytes the search reads anyway, in file order from the first, so the test
// costs no read of its own.
class CPlainTextSniffer
{
public:
    static const int SniffBytes = 51200;

    // The next bytes of the file; false once they show it is not plain text.
    bool Feed(const char *data, qint64 size);
    // Whether the bytes fed so far settle it (the end counts as settling).
    bool Decided() const { return Binary || Seen >= SniffBytes || AtEnd; }
    void FeedEnd() { AtEnd = true; }
    bool IsPlainText() const { return !Binary; }
    // Bytes fed so far: where more are wanted from until Decided().
    qint64 FedBytes() const { return Seen; }

private:
    bool StartsWithWideMark(const char *data, qint64 size) const;

    qint64 Seen = 0;
    bool Binary = false;
    bool WideText = false;
    bool AtEnd = false;
};

#endif
