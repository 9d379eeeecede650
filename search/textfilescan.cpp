#include "search/textfilescan.h"

#include <QFile>
#include <QTextStream>

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
