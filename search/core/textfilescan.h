#ifndef LINTRA_TEXTFILESCAN_H
#define LINTRA_TEXTFILESCAN_H

#include <QDir>
#include <QString>

#include <functional>

#include "search/core/directorywalk.h"
#include "search/core/scanreport.h"
#include "text/core/unmarkedtext.h"

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
    FileScanUnreadable,
    // Out of descriptors or memory for longer than the search waits.
    FileScanOutOfResources,
    // Judged by its content, it is no plain text: not searched.
    FileScanNotPlainText
};

// What opening a file told about it: its size and time from the status of
// what was opened, or why it could not be read (see CUnreadEntry::Error).
struct CFileFacts
{
    qint64 Size = -1;
    qint64 Modified = CFoundFile::UnknownTime;
    int Error = 0;
    // Its first read had to wait for the disk: the file was not in the page cache.
    bool FromDisk = false;
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
// resolving the whole path again for every file, and lets paths be longer
// than the system takes in one piece.
class CScanDirectory
{
public:
    explicit CScanDirectory(const QDir &dir);
    CScanDirectory(CDirectoryRef directory, const QByteArray &path);
    CScanDirectory(const CScanDirectory &) = delete;
    CScanDirectory &operator=(const CScanDirectory &) = delete;

    QDir Dir;
    QByteArray Path;
    int Descriptor = -1; // where the system has none, files are opened by path

private:
    CDirectoryRef Handle;
};

// The same outcome as ScanTextFile for the file name in directory, without
// decoding the files that preFilter (built for the same keywords and
// charset) rules out; a file without a byte-order mark is decoded as
// charset says for its first bytes. Only a regular file is read: the file is
// opened without waiting (a FIFO swapped in for it never blocks) and its
// status checked on what was opened; facts, if given, get its size and time
// or the reason it was not read. Of a file longer than one of its reads, in
// UTF-8 or UTF-16 and
// with ASCII keywords only, just the lines that hold a keyword's bytes (and
// where they are dense, the lines between them) are decoded and tested;
// everything else is read line by line as there. report.Cancelled() is
// asked before reading a non-empty file, between reads and before each line
// tested. With byContent, the file is first judged by its content
// (CPlainTextSniffer) from the bytes the scan reads, and a file that is not
// plain text ends the scan at once as FileScanNotPlainText.
TEnumFileScanResult ScanTextFile(const CScanDirectory &directory, const QByteArray &name,
                                 CKeywordPreFilter &preFilter, const LineTest &lineTest, CScanReport &report,
                                 const CUnmarkedTextCharset &charset = CUnmarkedTextCharset(),
                                 int maxLineLength = MaxLineLength, CFileFacts *facts = nullptr,
                                 bool byContent = false);
TEnumFileScanResult ScanTextFile(const CScanDirectory &directory, const QString &name,
                                 CKeywordPreFilter &preFilter, const LineTest &lineTest, CScanReport &report,
                                 const CUnmarkedTextCharset &charset = CUnmarkedTextCharset(),
                                 int maxLineLength = MaxLineLength);
TEnumFileScanResult ScanTextFile(const QString &path, CKeywordPreFilter &preFilter, const LineTest &lineTest,
                                 CScanReport &report,
                                 const CUnmarkedTextCharset &charset = CUnmarkedTextCharset(),
                                 int maxLineLength = MaxLineLength);

#endif
