#ifndef LINTRA_CFILESTABLEACTIONS_H
#define LINTRA_CFILESTABLEACTIONS_H

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QUrl>

class QAction;
class QWidget;
class CFileExistenceCheck;
class Ui_CLintra;

// The results table's actions, in its context menu and on their keys:
// opening a result with the desktop's application for it, copying its path
// and opening its folder. They act on the selected rows where the row they
// came from is one of them.
class CFilesTableActions : public QObject
{
    Q_OBJECT

public:
    // boxTitle: the title of the boxes that say a file could not be opened.
    CFilesTableActions(QWidget *window, Ui_CLintra *ui, const QString &boxTitle);
    ~CFilesTableActions() override;

    void SetBoxTitle(const QString &title) { WindowTitle = title; }
    void ShowFilesTableContextMenu(QPoint point);
    void CopyFilePath();
    void OpenContainingFolder();
    void OpenResultFile(int row);

private:
    QWidget *Window;
    Ui_CLintra *ui;
    QString WindowTitle;
    QAction *OpenFile_Action = nullptr;
    QAction *CopyFilePath_Action = nullptr;
    QAction *OpenContainingFolder_Action = nullptr;
    QList<QAction *> FilesTableContextMenu_Actions;
    QProcess FileExplorer_Process;
    // Whether a result's file is still there, asked before it is opened.
    CFileExistenceCheck *OpenedFileCheck = nullptr;

    void CreateFilesTableActions();
    void DestroyFilesTableActions();
    QString ResultRowPath(int row) const;
    QString CurrentRowFilePath() const;
    QByteArray CurrentRowFileBytes() const;
    QList<int> ActedOnRows(int row) const;
    struct COpenedFile
    {
        QString Path;
        QByteArray Bytes;
        QUrl Url;
    };
    void OpenResultFiles(QList<COpenedFile> files);
};

#endif
