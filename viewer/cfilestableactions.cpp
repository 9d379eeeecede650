// The results table's actions: the menu, the keys and what they do.

#include "viewer/cfilestableactions.h"

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
#include <QMessageBox>
#include <QUrl>

#include "app/messagebox.h"
#include "app/ui_clintra.h"
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

CFilesTableActions::CFilesTableActions(QWidget *window, Ui_CLintra *ui, const QString &boxTitle)
    : QObject(window)
    , Window(window)
    , ui(ui)
    , WindowTitle(boxTitle)
    , FileExplorer_Process(this)
{
    CreateFilesTableActions();
    FileExplorer_Process.setObjectName(QStringLiteral("FileExplorer_Process"));
}

CFilesTableActions::~CFilesTableActions()
{
    DestroyFilesTableActions();
}

QString CFilesTableActions::ResultRowPath(int row) const
{
    return ui->FilesFound_TableWidget->FilePath(row);
}

void CFilesTableActions::CreateFilesTableActions()
{
    OpenedFileCheck = new CFileExistenceCheck(this);
    OpenFile_Action = NewTableAction(
        Window, "OpenFile_Action", ":/images/open.gif", tr("&Open"), "",
        tr("<font face=\"verdana\">Open the selected file with the desktop's application for it.</font>"));
    connect(OpenFile_Action, &QAction::triggered, this,
            [this] { OpenResultFile(ui->FilesFound_TableWidget->currentRow()); });
    connect(ui->FilesFound_TableWidget, &CResultsTable::OpenRequested, this,
            &CFilesTableActions::OpenResultFile);
    CopyFilePath_Action = NewTableAction(
        Window, "CopyFilePath_Action", ":/images/copy.gif", tr("Copy File &Path"), "Ctrl+Shift+C",
        tr("<font face=\"verdana\">Copy the full path of the selected file to the clipboard.</font>"));
    connect(CopyFilePath_Action, &QAction::triggered, this, &CFilesTableActions::CopyFilePath);
    OpenContainingFolder_Action = NewTableAction(
        Window, "OpenContainingFolder_Action", ":/images/folder.gif", tr("Open Containing &Folder"), "Ctrl+F",
        tr("<font face=\"verdana\">Open the folder that contains the selected file in the system File "
           "Explorer.</font>"));
    connect(OpenContainingFolder_Action, &QAction::triggered, this,
            &CFilesTableActions::OpenContainingFolder);
    FilesTableContextMenu_Actions << OpenFile_Action << CopyFilePath_Action << OpenContainingFolder_Action;
    // The keys the menu shows work without it, wherever the focus is in the
    // table or in the pane that shows the current row's file.
    for (QAction *action : qAsConst(FilesTableContextMenu_Actions)) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        ui->FilesFound_TableWidget->addAction(action);
        ui->FileContent_TextEdit->addAction(action);
    }
}

void CFilesTableActions::DestroyFilesTableActions()
{
    FilesTableContextMenu_Actions.clear();
    if (CopyFilePath_Action)
        disconnect(CopyFilePath_Action, &QAction::triggered, this, &CFilesTableActions::CopyFilePath);
    if (OpenContainingFolder_Action)
        disconnect(OpenContainingFolder_Action, &QAction::triggered, this,
                   &CFilesTableActions::OpenContainingFolder);
    delete OpenFile_Action;
    OpenFile_Action = nullptr;
    delete CopyFilePath_Action;
    CopyFilePath_Action = nullptr;
    delete OpenContainingFolder_Action;
    OpenContainingFolder_Action = nullptr;
}

void CFilesTableActions::ShowFilesTableContextMenu(QPoint point)
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
QString CFilesTableActions::CurrentRowFilePath() const
{
    return ResultRowPath(ui->FilesFound_TableWidget->currentRow());
}

// The same path as the file system knows it, byte for byte.
QByteArray CFilesTableActions::CurrentRowFileBytes() const
{
    return ui->FilesFound_TableWidget->FilePathBytes(ui->FilesFound_TableWidget->currentRow());
}

// The rows an action on files takes: the selection where it holds the row
// the action came from, that row alone otherwise.
QList<int> CFilesTableActions::ActedOnRows(int row) const
{
    const QList<int> selected = ui->FilesFound_TableWidget->SelectedRows();
    return selected.contains(row) ? selected : QList<int>{row};
}

// One path per line, each as a shell reads it back.
void CFilesTableActions::CopyFilePath()
{
    QStringList lines;
    for (int row : ActedOnRows(ui->FilesFound_TableWidget->currentRow())) {
        const QString path = ResultRowPath(row);
        if (path.isEmpty())
            continue;
        // A name whose bytes are no text in the local encoding is copied in a form a shell reads back.
        const QByteArray bytes = ui->FilesFound_TableWidget->FilePathBytes(row);
        const QString pastable = RunningPlatform == Linux ? PastablePath(bytes) : path;
        lines << (pastable == PathText(bytes) ? ClipboardFilePath(path, RunningPlatform) : pastable);
    }
    if (!lines.isEmpty())
        QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')), QClipboard::Clipboard);
}

void CFilesTableActions::OpenContainingFolder()
{
    const QString path = CurrentRowFilePath();
    if (path.isEmpty())
        return;
    const QByteArray onDisk = CurrentRowFileBytes();
    OpenFolderOfFile(FileExplorer_Process, path, onDisk, this, [path] {
        const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
        ShowMessageBox(QMessageBox::Information, tr("Open Containing Folder"),
                       tr("No file manager is installed that could show the folder %1.").arg(folder));
    });
}

// With the desktop's application for the file's type (through xdg-open or
// the desktop portal), as a file manager opens it; every selected row's
// file when the row is one of them.
void CFilesTableActions::OpenResultFile(int row)
{
    QList<COpenedFile> files;
    for (int acted : ActedOnRows(row)) {
        const QString path = ResultRowPath(acted);
        if (!path.isEmpty())
            files << COpenedFile{path, ui->FilesFound_TableWidget->FilePathBytes(acted),
                                 ui->FilesFound_TableWidget->FileUrl(acted)};
    }
    OpenResultFiles(files);
}

// Each file is asked for off this thread, where one on a hung mount would
// freeze the window, and opened in turn; a later Enter or double click
// takes over from these.
void CFilesTableActions::OpenResultFiles(QList<COpenedFile> files)
{
    if (files.isEmpty())
        return;
    const COpenedFile file = files.takeFirst();
    OpenedFileCheck->Ask(file.Bytes, [this, file, files](bool exists) {
        if (!exists) {
            ShowMessageBox(QMessageBox::Warning, WindowTitle,
                           tr("The file no longer exists:\n%1").arg(QDir::toNativeSeparators(file.Path)));
        } else if (!QDesktopServices::openUrl(file.Url)) {
            ShowMessageBox(QMessageBox::Warning, WindowTitle,
                           tr("No application could be started to open the file:\n%1")
                               .arg(QDir::toNativeSeparators(file.Path)));
        }
        OpenResultFiles(files);
    });
}
