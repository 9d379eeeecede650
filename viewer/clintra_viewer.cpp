// The main window's part of the result viewer: showing the selected result,
// loading it whole or block by block, paging, and decoding. Where lines and
// blocks lie, reading and decoding them, is CResultPager's work
// (viewer/core); here is only what the user sees of it.

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

#include "search/core/resultsmodel.h"
#include "viewer/core/resultdecoding.h"

namespace {

QString FileOperationErrorText()
{
    return CLintra::tr("Should not arrive here; with high possibility it is due to file operation error...");
}

QString FileShrunkText()
{
    return CLintra::tr("The file has become shorter since it was opened: this part of it can no longer be "
                       "read. Select the file again to read it anew.");
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
    ShownKeywordQuery =
        CKeywordQuery(ui->Keywords2Search_ComboBox->currentText(), MatchWholeWord, WordSeparatedLanguage);
    switch (SearchWhat) {
    case SearchWhatFilename:
        ShowMatchedFilename(row, ShownKeywordQuery);
        break;
    case SearchWhatFullText:
        LoadResultFile(row, ShownKeywordQuery);
        break;
    }
}

void CLintra::ShowMatchedFilename(int row, const CKeywordQuery &query)
{
    ui->FileContent_TextEdit->PartialDocument = false;
    ShowContentWithHighlights(query, ResultRowPath(row));
}

QString CLintra::ResultRowPath(int row) const
{
    return ui->FilesFound_TableWidget->FilePath(row);
}

// --- Loading a result file -------------------------------------------------

void CLintra::LoadResultFile(int row, const CKeywordQuery &query)
{
    ResultContentCharset_ComboBox->setEnabled(true);
    ResultFileBytes.clear();
    const QString path = ResultRowPath(row);
    QFile file(path);
    // An unreadable file simply yields no bytes.
    if (!path.isEmpty())
        file.open(QIODevice::ReadOnly);
    if (QFileInfo(file).size() >= BlockByteLimit) {
        file.close();
        ShowFirstResultBlock(path, query);
        return;
    }
    ResultPager = CResultPager();
    QString text;
    const bool loaded = LoadWholeResultFile(file, text);
    // Nothing was read: the pane must not claim that the document is loaded.
    if (!file.isOpen())
        ui->FileContent_TextEdit->setToolTip(QString());
    ShowBlockPosition();
    if (loaded)
        ShowContentWithHighlights(query, text);
}

bool CLintra::LoadWholeResultFile(QFile &file, QString &text)
{
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
                             ResultContentCharset_ComboBox, UnmarkedTextCharset().CodecFor(ResultFileBytes));
    ResultFileEncoding = detector.Encoding;
    return true;
}

// Opens a big file at the first block that holds a keyword; past the end
// the pane stays empty.
void CLintra::ShowFirstResultBlock(const QString &path, const CKeywordQuery &query)
{
    CContentEdit *pane = ui->FileContent_TextEdit;
    pane->PartialDocument = true;
    pane->setToolTip(tr(
        "<font face=\"verdana\">Only partial document is loaded in this pane since the file is big; please "
        "use the context menu with a mouse right click to view other parts of the document. Therefore, "
        "<font color=\"red\">the currently viewed part may not contain the matched line(s)</font>.</font>"));
    ResultPager = CResultPager(path, BlockByteLimit, UnmarkedTextCharset());
    const CResultPage page = ResultPager.FirstWithKeyword(query);
    if (page.Outcome == PageUnreadable)
        pane->setToolTip(QString());
    // Block 0 was read: its encoding decodes every block.
    if (ResultPager.BlockOffset(1) > 0) {
        ResultFileEncoding = ResultPager.Encoding();
        DecodeResultBytes(QByteArray(), ResultFileEncoding, 0, ResultContentCharset_ComboBox,
                          ResultPager.UnmarkedCodec());
    }
    ShowBlockPosition();
    ShowContentWithHighlights(query, page.Text);
}

QString CLintra::DecodeResultBytes(const QByteArray &bytes, TEnumTextEncoding encoding, int skip,
                                   QComboBox *selector, QTextCodec *unmarkedCodec)
{
    const QString text = DecodeBytes(bytes, encoding, skip, unmarkedCodec);
    if (selector)
        selector->setCurrentIndex(selector->findData(CharsetEntryForEncoding(encoding, unmarkedCodec),
                                                     Qt::DisplayRole, Qt::MatchFixedString));
    return text;
}

// Text without a byte-order mark: UTF-8 where it is valid UTF-8, else the
// charset of the user's language.
CUnmarkedTextCharset CLintra::UnmarkedTextCharset() const
{
    return CUnmarkedTextCharset(QTextCodec::codecForLocale(), SystemLocaleName);
}

// The chosen codec decodes the file on show: a whole file at once, a paged
// one block by block from now on, until another file is selected.
void CLintra::UpdateResultFileContent()
{
    QComboBox *selector = ResultContentCharset_ComboBox;
    const int mib = selector->itemData(selector->currentIndex(), Qt::UserRole).toInt();
    QString path;
    if (ui->FileContent_TextEdit->PartialDocument && PagingRowPath(path)) {
        if (QTextCodec *codec = QTextCodec::codecForMib(mib)) {
            ResultPager.SetCodec(codec);
            ShowContentWithHighlights(ShownKeywordQuery, ResultPager.Current().Text);
        }
        return;
    }
    ShowContentWithHighlights(ShownKeywordQuery,
                              DecodeBytesWithMib(ResultFileBytes, mib, QTextCodec::codecForLocale()));
}

// --- Paging ----------------------------------------------------------------

// Which block is on show, in a strip below the text, while a file is paged.
void CLintra::ShowBlockPosition()
{
    CContentEdit *pane = ui->FileContent_TextEdit;
    if (!pane->PartialDocument || ResultPager.BlockOffset(1) == 0) {
        pane->SetPositionText(QString());
        return;
    }
    const int count = ResultPager.BlockCount();
    if (ResultPager.PastTheEnd())
        pane->SetPositionText(tr("No keyword in any of the %1 blocks").arg(count));
    else if (ResultPager.BlockCountKnown())
        pane->SetPositionText(tr("Block %1 of %2").arg(ResultPager.CurrentBlock() + 1).arg(count));
    else
        pane->SetPositionText(tr("Block %1 of about %2").arg(ResultPager.CurrentBlock() + 1).arg(count));
}

void CLintra::ShowResultPage(const CResultPage &page)
{
    if (!ResultPager.Codec())
        DecodeResultBytes(QByteArray(), ResultPager.Encoding(), 0, ResultContentCharset_ComboBox,
                          ResultPager.UnmarkedCodec());
    ShowContentWithHighlights(ShownKeywordQuery, page.Text);
    ShowBlockPosition();
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
    if (!PagingRowPath(path) || !ui->FileContent_TextEdit->PartialDocument)
        return;
    const CResultPage page = ResultPager.Previous();
    switch (page.Outcome) {
    case PageShown:
        ShowResultPage(page);
        break;
    case PageAtBeginning:
    case PageAtEnd:
        ShowMessage(QMessageBox::Information, tr("Information"), tr("Already at the beginning of the file!"));
        break;
    case PageUnreadable:
        ShowMessage(QMessageBox::Warning, QString(), tr("File seek error!"));
        ShowMessage(QMessageBox::Warning, tr("Error"), FileOperationErrorText());
        break;
    case PageFileShrunk:
        ShowMessage(QMessageBox::Warning, tr("Error"), FileShrunkText());
        break;
    }
}

void CLintra::GotoContentEditNextBlock()
{
    QString path;
    if (!PagingRowPath(path) || !ui->FileContent_TextEdit->PartialDocument)
        return;
    const CResultPage page = ResultPager.Next();
    switch (page.Outcome) {
    case PageShown:
        ShowResultPage(page);
        break;
    case PageAtBeginning:
    case PageAtEnd:
        ShowMessage(QMessageBox::Information, tr("Information"), tr("Already at the end of the file!"));
        break;
    case PageUnreadable:
        ShowMessage(QMessageBox::Warning, tr("Result File Content"), FileOperationErrorText());
        break;
    case PageFileShrunk:
        ShowMessage(QMessageBox::Warning, tr("Result File Content"), FileShrunkText());
        break;
    }
}
