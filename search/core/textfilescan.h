#ifndef LINTRA_TEXTFILESCAN_H
#define LINTRA_TEXTFILESCAN_H

#include <QDir>
#include <QString>

#include <functional>

#include "search/core/scanreport.h"

class CKeywordPreFilter;
class QIODevice;
class QTextCodec;

// The most characters one read of a line returns. A longer line is read in
// pieces of this many characters, the last one shorter (possibly empty); the
// line test sees them in turn (CKeywordMatcher joins them where a keyword
// may cross a cut).
const int MaxLineLength = 25600;

enum TEnumFileScanResult
{
    FileScanNotMatched,
    FileScanMatched,
    FileScanCancelled,
    FileScanUnreadable
};

// Tests one piece of a line; true once the file is known to match (see CKeywordMatcher).
using LineTest = std::function<bool(const QString &line)>;

// Reads text line by line, as a full-text search does, until a line makes
// lineTest true, the text ends or report.Cancelled() asks to stop
// (asked before every line). The text is
// decoded with codec (the local codec when null), unless it starts with a
// Unicode byte-order mark, which selects the matching Unicode codec.
TEnumFileScanResult ScanTextLines(QIODevice &device, const LineTest &lineTest, CScanReport &report,
                                  QTextCodec *codec = nullptr, int maxLineLength = MaxLineLength);

// The same for the file at path; a file that cannot be opened is FileScanUnreadable.
TEnumFileScanResult ScanTextFile(const QString &path, const LineTest &lineTest, CScanReport &report,
                                 QTextCodec *codec = nullptr, int maxLineLength = MaxLineLength);

// A directory whose files are opened by name, relative to it: saves
// resolving the whole path again for every file.
class CScanDirectory
{
public:
    explicit CScanDirectory(const QDir &dir);
    ~CScanDirectory();
    CScanDirectory(const CScanDirectory &) = delete;
    CScanDirectory &operator=(const CScanDirectory &) = delete;

    QDir Dir;
    int Descriptor = -1; // where the system has none, files are opened by path
};

// The same outcome as ScanTextFile for the file name in directory, without
// decoding the files that preFilter (built for the same keywords and codec)
// rules out. Of a file longer than one of its reads, in UTF-8 or UTF-16 and
// with ASCII keywords only, just the lines that hold a keyword's bytes (and
// where they are dense, the lines between them) are decoded and tested;
// everything else is read line by line as there. report.Cancelled() is
// asked before reading a non-empty file, between reads and before each line
// tested.
TEnumFileScanResult ScanTextFile(const CScanDirectory &directory, const QString &name,
                                 CKeywordPreFilter &preFilter, const LineTest &lineTest, CScanReport &report,
                                 QTextCodec *codec = nullptr, int maxLineLength = MaxLineLength);
TEnumFileScanResult ScanTextFile(const QString &path, CKeywordPreFilter &preFilter, const LineTest &lineTest,
                                 CScanReport &report, QTextCodec *codec = nullptr,
                                 int maxLineLength = MaxLineLength);

#endif
