// The main window's part of the result viewer: showing the selected result,
// loading it whole or block by block, paging, and decoding. Where lines and
// blocks lie, and how bytes are decoded, is worked out in viewer/core.

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

#include "search/core/keywordprefilter.h"
#include "search/core/resultsmodel.h"
#include "viewer/core/blockreader.h"
#include "viewer/core/resultdecoding.h"

namespace {

QString FileOperationErrorText()
{
    return CLintra::tr("Should not arrive here; with high possibility it is due to file operation error...");
}

} // namespace

// --- Selecting a row -------------------------------------------------------

void CLintra::OnItemSelectionChanged()
{
    const int row = ui->FilesFound_TableWidget->currentRow();
    if (CurrentResultRow < 0) {
        CurrentResultRow = row;
        ShowResultRow(CurrentResultRow);
    } else if (row != CurrentResultRow) {
        ShowResultRow(row);
        CurrentResultRow = row;
    }
}

void CLintra::OnItemClicked(const QModelIndex &index)
{
    const int row = index.isValid() ? index.row() : -1;
    if (row == CurrentResultRow) {
        ShowResultRow(row);
        CurrentResultRow = row;
    }
}

void CLintra::ShowResultRow(int row)
{
    ui->FileContent_TextEdit->clear();
    ui->FileContent_TextEdit->setCurrentCharFormat(DefaultCharFormat);
    if (ui->FilesFound_TableWidget->rowCount() == 0)
        return;
    // The keywords as they stand in the box now, which the user may have edited.
    const QStringList patterns = ParseKeywords(ui->Keywords2Search_ComboBox->currentText());
    switch (SearchWhat) {
    case SearchWhatFilename:
        ShowMatchedFilename(row, patterns);
        break;
    case SearchWhatFullText:
        LoadResultFile(row, patterns);
        break;
    }
}

void CLintra::ShowMatchedFilename(int row, const QStringList &patterns)
{
    ui->FileContent_TextEdit->PartialDocument = false;
    ShowContentWithHighlights(patterns, KeywordList, ResultRowPath(row));
}

QString CLintra::ResultRowPath(int row) const
{
    return ui->FilesFound_TableWidget->Results()->FilePath(row);
}

// --- Loading a result file -------------------------------------------------

void CLintra::LoadResultFile(int row, const QStringList &patterns)
{
    ResultContentCharset_ComboBox->setEnabled(true);
    ResultFileBytes.clear();
    QFile file(ResultRowPath(row));
    // An unreadable file simply yields no bytes.
    if (!file.fileName().isEmpty())
        file.open(QIODevice::ReadOnly);
    const bool inBlocks = QFileInfo(file).size() >= BlockByteLimit;
    QString text;
    const bool loaded = inBlocks ? LoadFirstResultBlock(file, text) : LoadWholeResultFile(file, text);
    // Nothing was read: the pane must not claim that the document is loaded.
    if (!file.isOpen())
        ui->FileContent_TextEdit->setToolTip(QString());
    if (!loaded)
        return;
    if (inBlocks)
        ShowFirstBlockWithKeyword(file, patterns, text);
    else
        ShowContentWithHighlights(patterns, KeywordList, text);
}

bool CLintra::LoadWholeResultFile(QFile &file, QString &text)
{
    BlockLines.clear();
    ui->FileContent_TextEdit->PartialDocument = false;
    ui->FileContent_TextEdit->setToolTip(
        tr("<font face=\"verdana\">The whole document is loaded successfully in this pane.</font>"));
    if (file.isOpen())
        ResultFileBytes = file.readAll();
    if (ResultFileBytes.isEmpty())
        return false;
    CTextEncodingDetector detector;
    detector.Detect(ResultFileBytes.constData(), quint32(ResultFileBytes.size()));
    text = DecodeResultBytes(ResultFileBytes, detector.Encoding, detector.BomLength,
                             ResultContentCharset_ComboBox);
    ResultFileEncoding = detector.Encoding;
    return true;
}

bool CLintra::LoadFirstResultBlock(QFile &file, QString &text)
{
    BlockLines.clear();
    ui->FileContent_TextEdit->PartialDocument = true;
    ui->FileContent_TextEdit->setToolTip(tr(
        "<font face=\"verdana\">Only partial document is loaded in this pane since the file is big; please "
        "use the context menu with a mouse right click to view other parts of the document. Therefore, "
        "<font color=\"red\">the currently viewed part may not contain the matched line(s)</font>.</font>"));
    const TEnumTextEncoding headEncoding = LineEndEncodingOf(file, BlockByteLimit);
    QByteArray bytes = ReadFirstResultBlock(file, headEncoding);
    if (bytes.isEmpty())
        return false;
    CTextEncodingDetector detector;
    detector.Detect(bytes.constData(), quint32(bytes.size()));
    // Block boundaries must follow the code units of the encoding decided
    // here; in the rare case the start of the file suggested other units,
    // the first block is read again.
    if (LineEndOf(detector.Encoding) != LineEndOf(headEncoding) && file.seek(0))
        bytes = ReadFirstResultBlock(file, detector.Encoding);
    ResultFileEncoding = detector.Encoding;
    CBlockReader reader(file, BlockByteLimit, LineEndOf(ResultFileEncoding), BlockLineRanges, LineOffsets);
    BlockLines = reader.SplitLines(0, bytes);
    text = DecodeResultBytes(bytes, ResultFileEncoding, detector.BomLength, ResultContentCharset_ComboBox);
    return true;
}

QByteArray CLintra::ReadFirstResultBlock(QFile &file, TEnumTextEncoding lineEndEncoding)
{
    // Nothing of a previously shown file is reused.
    BlockLineRanges.clear();
    LineOffsets.clear();
    LastBlock = -1;
    CurrentBlock = 0;
    CurrentBlockFirstLine = 0;
    CBlockReader reader(file, BlockByteLimit, LineEndOf(lineEndEncoding), BlockLineRanges, LineOffsets);
    return ReadNewResultBlock(reader, 0, 0);
}

// Reads block CurrentBlock from the device's position, which is `offset`.
QByteArray CLintra::ReadNewResultBlock(CBlockReader &reader, int firstLine, qint64 offset)
{
    bool reachedEnd = false;
    const QByteArray bytes = reader.ReadNewBlock(CurrentBlock, firstLine, offset, reachedEnd);
    CurrentBlockLastLine = BlockLineRanges.value(CurrentBlock).second;
    if (reachedEnd)
        LastBlock = CurrentBlock;
    return bytes;
}

// Moves on block by block, in the file still open from the first block,
// until one holds a keyword; past the end the pane stays empty.
void CLintra::ShowFirstBlockWithKeyword(QFile &file, const QStringList &patterns, QString text)
{
    CBlockReader reader(file, BlockByteLimit, LineEndOf(ResultFileEncoding), BlockLineRanges, LineOffsets);
    QTextCodec *codec = CodecForEncoding(ResultFileEncoding);
    const CKeywordPreFilter preFilter(patterns);
    QByteArray bytes;
    bool moved = false;
    // With no keyword to look for, the search would only run to the end of
    // the file and show nothing; the first block is what there is to see.
    while (!patterns.isEmpty() && !ContainsAnyKeyword(patterns, text)) {
        // A block without the bytes of any keyword is not decoded at all.
        do {
            int firstLine = 0;
            qint64 offset = 0;
            reader.NextBlockStart(CurrentBlock, firstLine, offset);
            ++CurrentBlock;
            CurrentBlockFirstLine = firstLine;
            bytes = ReadNewResultBlock(reader, firstLine, offset);
            moved = true;
            if (bytes.isEmpty()) {
                BlockLines.clear();
                return;
            }
        } while (!preFilter.MayContainAnyKeyword(bytes, codec ? codec : QTextCodec::codecForLocale()));
        text = DecodeBytes(bytes, ResultFileEncoding, 0);
    }
    if (moved)
        BlockLines = reader.SplitLines(CurrentBlock, bytes);
    ShowContentWithHighlights(patterns, KeywordList, text);
}

QString CLintra::DecodeResultBytes(const QByteArray &bytes, TEnumTextEncoding encoding, int skip,
                                   QComboBox *selector)
{
    const QString text = DecodeBytes(bytes, encoding, skip);
    if (selector)
        selector->setCurrentIndex(
            selector->findData(CharsetEntryForEncoding(encoding), Qt::DisplayRole, Qt::MatchFixedString));
    return text;
}

void CLintra::UpdateResultFileContent()
{
    QComboBox *selector = ResultContentCharset_ComboBox;
    const int mib = selector->itemData(selector->currentIndex(), Qt::UserRole).toInt();
    // Empty for a file shown in blocks, which leaves the pane as it is.
    ShowContentWithHighlights(KeywordPatterns, KeywordList, DecodeBytesWithMib(ResultFileBytes, mib));
}

// --- Paging ----------------------------------------------------------------

bool CLintra::LoadKnownBlock(const QString &path, TEnumTextEncoding encoding, int block, QString &text)
{
    QFile file(path);
    QByteArray bytes;
    CBlockReader reader(file, BlockByteLimit, LineEndOf(encoding), BlockLineRanges, LineOffsets);
    if (!file.open(QIODevice::ReadOnly) || !reader.ReadKnownBlock(block, bytes)) {
        ShowMessage(QMessageBox::Warning, QString(), tr("File seek error!"));
        return false;
    }
    const QPair<int, int> range = BlockLineRanges.value(block, qMakePair(0, 0));
    CurrentBlock = block;
    CurrentBlockFirstLine = range.first;
    CurrentBlockLastLine = range.second;
    ResultFileBytes.clear();
    BlockLines = reader.SplitLines(block, bytes);
    // No mark is skipped here, even in block 0: the codec drops it.
    text = DecodeResultBytes(bytes, encoding, 0, ResultContentCharset_ComboBox);
    return true;
}

bool CLintra::LoadPreviousBlock(const QString &path, TEnumTextEncoding encoding, int block, QString &text)
{
    if (block > 0)
        return LoadKnownBlock(path, encoding, block - 1, text);
    text.clear();
    return true;
}

bool CLintra::LoadNextBlock(const QString &path, TEnumTextEncoding encoding, int block, QString &text)
{
    const int next = block + 1;
    if (BlockLineRanges.contains(next))
        return LoadKnownBlock(path, encoding, next, text);
    QFile file(path);
    CBlockReader reader(file, BlockByteLimit, LineEndOf(encoding), BlockLineRanges, LineOffsets);
    int firstLine = 0;
    qint64 offset = 0;
    reader.NextBlockStart(block, firstLine, offset);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        return false;
    BlockLines.clear();
    CurrentBlock = next;
    CurrentBlockFirstLine = firstLine;
    const QByteArray bytes = ReadNewResultBlock(reader, firstLine, offset);
    BlockLines = reader.SplitLines(next, bytes);
    text = DecodeResultBytes(bytes, encoding, 0, ResultContentCharset_ComboBox);
    return true;
}

// The paging state belongs to the row on show; without it (no current row,
// or a table refilled by a new search) there is nothing to page through.
bool CLintra::PagingRowPath(QString &path) const
{
    const int row = ui->FilesFound_TableWidget->currentRow();
    if (row < 0 || row != CurrentResultRow)
        return false;
    path = ResultRowPath(row);
    return true;
}

void CLintra::GotoContentEditPreviousBlock()
{
    QString path;
    if (!PagingRowPath(path))
        return;
    if (CurrentBlock <= 0) {
        ShowMessage(QMessageBox::Information, tr("Information"), tr("Already at the beginning of the file!"));
        return;
    }
    QString text;
    if (LoadPreviousBlock(path, ResultFileEncoding, CurrentBlock, text))
        ShowContentWithHighlights(KeywordPatterns, KeywordList, text);
    else
        ShowMessage(QMessageBox::Warning, tr("Error"), FileOperationErrorText());
}

void CLintra::GotoContentEditNextBlock()
{
    QString path;
    if (!PagingRowPath(path))
        return;
    if (LastBlock >= 0 && CurrentBlock >= LastBlock) {
        ShowMessage(QMessageBox::Information, tr("Information"), tr("Already at the end of the file!"));
        return;
    }
    QString text;
    if (LoadNextBlock(path, ResultFileEncoding, CurrentBlock, text))
        ShowContentWithHighlights(KeywordPatterns, KeywordList, text);
    else
        ShowMessage(QMessageBox::Warning, tr("Result File Content"), FileOperationErrorText());
}
