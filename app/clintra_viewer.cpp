// The main window's part of the result viewer: which row is on show, and the
// slots of the pane and the charset selector, forwarded to CResultViewer,
// which owns what is on show and loads it off the window's thread; the
// results table's actions are handed over to CFilesTableActions.

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QComboBox>

#include "search/core/resultsmodel.h"
#include "search/csearchdriver.h"
#include "viewer/cfilestableactions.h"
#include "viewer/cresultviewer.h"

// --- Selecting a row -------------------------------------------------------

// Also called when only the current row moves (Ctrl+End): the row on show
// follows the current row.
void CLintra::OnItemSelectionChanged()
{
    const int row = ui->FilesFound_TableWidget->currentRow();
    if (row != ResultViewer->RowOnShow())
        ShowResultRow(row);
}

void CLintra::OnItemClicked(const QModelIndex &index)
{
    const int row = index.isValid() ? index.row() : -1;
    if (row == ResultViewer->RowOnShow())
        ShowResultRow(row);
}

void CLintra::ShowResultRow(int row, qint64 line)
{
    ui->FileContent_TextEdit->clear();
    ui->FileContent_TextEdit->setCurrentCharFormat(DefaultCharFormat);
    if (ui->FilesFound_TableWidget->rowCount() == 0 || row < 0) {
        ResultViewer->Forget();
        return;
    }
    // The keywords as they stand in the box now, which the user may have edited.
    const CKeywordQuery query = SearchDriver->TypedQuery();
    switch (SearchDriver->What()) {
    case SearchWhatFilename:
        ResultViewer->ShowFileName(row, ResultRowPath(row), query);
        break;
    case SearchWhatFullText:
        ResultViewer->ShowFile(row, ui->FilesFound_TableWidget->FilePathBytes(row), query, line);
        break;
    }
}

QString CLintra::ResultRowPath(int row) const
{
    return ui->FilesFound_TableWidget->FilePath(row);
}

// --- The file on show ----------------------------------------------------------

void CLintra::UpdateResultFileContent()
{
    QComboBox *selector = ResultContentCharset_ComboBox;
    ResultViewer->DecodeWith(selector->itemData(selector->currentIndex(), Qt::UserRole).toInt());
}

void CLintra::GotoContentEditPreviousBlock()
{
    ResultViewer->PreviousBlock();
}

void CLintra::GotoContentEditNextBlock()
{
    ResultViewer->NextBlock();
}

// --- The results table's actions ----------------------------------------------

void CLintra::CopyFilePath()
{
    FilesTableActions->CopyFilePath();
}

void CLintra::OpenContainingFolder()
{
    FilesTableActions->OpenContainingFolder();
}

void CLintra::ShowFilesTableContextMenu(QPoint point)
{
    FilesTableActions->ShowFilesTableContextMenu(point);
}
