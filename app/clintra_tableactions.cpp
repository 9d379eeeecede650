// The main window's part of the results table's context menu: opening a
// result with the desktop's application for it, copying its path and opening
// its folder.

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QUrl>

#include "platform/runningplatform.h"
#include "search/core/foundfile.h"
#include "search/core/resultsmodel.h"
#include "search/cresultlines.h"
#include "viewer/core/fileexistencecheck.h"
#include "viewer/core/filelocation.h"
#include "viewer/folderopener.h"

namespace {

QAction *NewTableAction(QObject *parent, const char *name, const char *icon, const QString &text,
                        const char *shortcut, const QString &statusTip)
{
    QAction *action = new QAction(QIcon(QString::fromLatin1(icon)), text, parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    action->setStatusTip(statusTip);
    return action;
}

} // namespace

void CLintra::CreateFilesTableActions()
{
    OpenedFileCheck = new CFileExistenceCheck(this);
    OpenFile_Action = NewTableAction(
        this, "OpenFile_Action", ":/images/open.gif", tr("&Open"), "",
        tr("<font face=\"verdana\">Open the selected file with the desktop's application for it.</font>"));
    connect(OpenFile_Action, &QAction::triggered, this,
            [this] { OpenResultFile(ui->FilesFound_TableWidget->currentRow()); });
    connect(ui->FilesFound_TableWidget, &CResultsTable::OpenRequested, this, &CLintra::OpenResultFile);
    connect(ui->FilesFound_TableWidget->Lines(), &CResultLines::LineChosen, this,
            [this](int row, qint64 line) { ShowResultRow(row, line); });
    CopyFilePath_Action = NewTableAction(
        this, "CopyFilePath_Action", ":/images/copy.gif", tr("Copy File &Path"), "Ctrl+Shift+C",
        tr("<font face=\"verdana\">Copy the full path of the selected file to the clipboard.</font>"));
    connect(CopyFilePath_Action, &QAction::triggered, this, &CLintra::CopyFilePath);
    OpenContainingFolder_Action = NewTableAction(
        this, "OpenContainingFolder_Action", ":/images/folder.gif", tr("Open Containing &Folder"), "Ctrl+F",
        tr("<font face=\"verdana\">Open the folder that contains the selected file in the system File "
           "Explorer.</font>"));
    connect(OpenContainingFolder_Action, &QAction::triggered, this, &CLintra::OpenContainingFolder);
    FilesTableContextMenu_Actions << OpenFile_Action << CopyFilePath_Action << OpenContainingFolder_Action;
    // The keys the menu shows work without it, wherever the focus is in the
    // table or in the pane that shows the current row's file.
    for (QAction *action : qAsConst(FilesTableContextMenu_Actions)) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        ui->FilesFound_TableWidget->addAction(action);
        ui->FileContent_TextEdit->addAction(action);
    }
}

void CLintra::DestroyFilesTableActions()
{
    FilesTableContextMenu_Actions.clear();
    if (CopyFilePath_Action)
        disconnect(CopyFilePath_Action, &QAction::triggered, this, &CLintra::CopyFilePath);
    if (OpenContainingFolder_Action)
        disconnect(OpenContainingFolder_Action, &QAction::triggered, this, &CLintra::OpenContainingFolder);
    delete OpenFile_Action;
    OpenFile_Action = nullptr;
    delete CopyFilePath_Action;
    CopyFilePath_Action = nullptr;
    delete OpenContainingFolder_Action;
    OpenContainingFolder_Action = nullptr;
}

void CLintra::DisconnectFilesTableSignals()
{
    disconnect(ui->FilesFound_TableWidget, &CResultsTable::itemSelectionChanged, this,
               &CLintra::OnItemSelectionChanged);
    disconnect(ui->FilesFound_TableWidget, &CResultsTable::customContextMenuRequested, this,
               &CLintra::ShowFilesTableContextMenu);
}

void CLintra::ShowFilesTableContextMenu(QPoint point)
{
    QMenu menu;
    menu.setFont(QFont(QStringLiteral("verdana")));
    menu.addActions(FilesTableContextMenu_Actions);
    // What a double click does.
    menu.setDefaultAction(OpenFile_Action);
    // Usable only on a Filename cell: the actions need a path.
    const bool usable = ui->FilesFound_TableWidget->FileCellAt(point);
    for (QAction *action : menu.actions())
        action->setEnabled(usable);
    menu.addSeparator();
    menu.addAction(ui->FilesFound_TableWidget->Lines()->ShowAllAction());
    menu.exec(ui->FilesFound_TableWidget->viewport()->mapToGlobal(point));
    // Without the menu the keys act on the current row, which they check themselves.
    for (QAction *action : qAsConst(FilesTableContextMenu_Actions))
        action->setEnabled(true);
}

// The Filename cell of the current row, whichever of its cells is current.
QString CLintra::CurrentRowFilePath() const
{
    return ResultRowPath(ui->FilesFound_TableWidget->currentRow());
}

// The same path as the file system knows it, byte for byte.
QByteArray CLintra::CurrentRowFileBytes() const
{
    return ui->FilesFound_TableWidget->FilePathBytes(ui->FilesFound_TableWidget->currentRow());
}

void CLintra::CopyFilePath()
{
    const QString path = CurrentRowFilePath();
    if (path.isEmpty())
        return;
    // A name whose bytes are no text in the local encoding is copied in a form a shell reads back.
    const QByteArray bytes = CurrentRowFileBytes();
    const QString pastable = RunningPlatform == Linux ? PastablePath(bytes) : path;
    QApplication::clipboard()->setText(pastable == PathText(bytes) ? ClipboardFilePath(path, RunningPlatform)
                                                                   : pastable,
                                       QClipboard::Clipboard);
}

void CLintra::OpenContainingFolder()
{
    const QString path = CurrentRowFilePath();
    if (path.isEmpty())
        return;
    const QByteArray onDisk = CurrentRowFileBytes();
    OpenFolderOfFile(FileExplorer_Process, path, onDisk, this, [this, path] {
        const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
        ShowMessage(QMessageBox::Information, tr("Open Containing Folder"),
                    tr("No file manager is installed that could show the folder %1.").arg(folder));
    });
}

// With the desktop's application for the file's type (through xdg-open or
// the desktop portal), as a file manager opens it.
void CLintra::OpenResultFile(int row)
{
    const QString path = ResultRowPath(row);
    if (path.isEmpty())
        return;
    // Asked off this thread, where a file on a hung mount would freeze the
    // window; a later Enter or double click takes over from this one.
    const QUrl url = ui->FilesFound_TableWidget->FileUrl(row);
    OpenedFileCheck->Ask(ui->FilesFound_TableWidget->FilePathBytes(row), [this, path, url](bool exists) {
        if (!exists) {
            ShowMessage(QMessageBox::Warning, WindowTitle,
                        tr("The file no longer exists:\n%1").arg(QDir::toNativeSeparators(path)));
            return;
        }
        if (!QDesktopServices::openUrl(url))
            ShowMessage(QMessageBox::Warning, WindowTitle,
                        tr("No application could be started to open the file:\n%1")
                            .arg(QDir::toNativeSeparators(path)));
    });
}
