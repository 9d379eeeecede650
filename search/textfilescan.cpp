#include "search/textfilescan.h"

#include <QFile>
#include <QTextStream>

#include "search/keywordprefilter.h"

namespace {

// Whether the line scan polls at all depends on whether a file decodes to any
// character, which for a few bytes only the decoder knows: leave those to it.
const qint64 LargestUnfilteredFile = 16;

} // namespace

TEnumFileScanResult ScanTextLines(QIODevice &device, const LineTest &lineTest, const CancelCheck &cancelled,
                                  QTextCodec *codec, int maxLineLength)
{
    // Default settings: the local codec, and byte-order-mark detection on.
    QTextStream stream(&device);
    if (codec)
        stream.setCodec(codec);
    while (!stream.atEnd()) {
        if (cancelled && cancelled())
            return FileScanCancelled;
        if (lineTest(stream.readLine(maxLineLength)))
            return FileScanMatched;
    }
    return FileScanNotMatched;
}

TEnumFileScanResult ScanTextFile(const QString &path, const LineTest &lineTest, const CancelCheck &cancelled,
                                 QTextCodec *codec, int maxLineLength)
{
    // Binary mode: the decoder sees the bytes as stored; the stream ends lines at \n and \r\n itself.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileScanUnreadable;
    return ScanTextLines(file, lineTest, cancelled, codec, maxLineLength);
}

TEnumFileScanResult ScanTextFile(const QString &path, CKeywordPreFilter &preFilter, const LineTest &lineTest,
                                 const CancelCheck &cancelled, QTextCodec *codec, int maxLineLength)
{
    // Unbuffered: the pre-filter reads large blocks straight into its own buffer.
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return FileScanUnreadable;
    const TEnumPreFilterVerdict verdict = preFilter.Check(file, cancelled);
    if (verdict == PreFilterCancelled)
        return FileScanCancelled;
    if (verdict == PreFilterNoMatch && preFilter.LastBytesRead() > LargestUnfilteredFile) {
        // Where the line scan polls before its first line.
        return (cancelled && cancelled()) ? FileScanCancelled : FileScanNotMatched;
    }
    if (!file.seek(0)) {
        file.close();
        if (!file.open(QIODevice::ReadOnly))
            return FileScanUnreadable;
    }
    return ScanTextLines(file, lineTest, cancelled, codec, maxLineLength);
}
