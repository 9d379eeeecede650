#include "search/core/plaintextsniffer.h"

#include <cstring>

// UTF-32 marks first: the little-endian one begins with UTF-16's.
bool CPlainTextSniffer::StartsWithWideMark(const char *data, qint64 size) const
{
    static const char *const marks[] = {"\x00\x00\xFE\xFF", "\xFF\xFE\x00\x00", "\xFF\xFE", "\xFE\xFF"};
    static const size_t sizes[] = {4, 4, 2, 2};
    for (int i = 0; i < 4; ++i) {
        if (size >= qint64(sizes[i]) && std::memcmp(data, marks[i], sizes[i]) == 0)
            return true;
    }
    return false;
}

bool CPlainTextSniffer::Feed(const char *data, qint64 size)
{
    if (Binary || size <= 0 || Seen >= SniffBytes)
        return !Binary;
    // A mark cut by a short first read is not looked for again: reads from
    // a regular file are short only at its end.
    if (Seen == 0)
        WideText = StartsWithWideMark(data, size);
    const qint64 wanted = qMin(size, qint64(SniffBytes) - Seen);
    Seen += size;
    Binary = !WideText && std::memchr(data, 0, size_t(wanted)) != nullptr;
    return !Binary;
}
