#include "windowdriver.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

#include "app/clintra.h"
#include "app/ui_clintra.h"

void RunSearch(CLintra &w, const QString &directory, const QString &keywords, TEnumSearchWhat what)
{
    w.ui->Dir2Search_ComboBox->setEditText(directory);
    w.ui->Keywords2Search_ComboBox->setEditText(keywords);
    if (what == SearchWhatFullText)
        w.ui->DoFullTextSearch_PushButton->click();
    else
        w.ui->DoFilenameSearch_PushButton->click();
}

QStringList TablePaths(const CLintra &w)
{
    QStringList paths;
    for (int row = 0; row < w.ui->FilesFound_TableWidget->rowCount(); ++row)
        paths << CellText(w, row, 0);
    return paths;
}

QSet<QString> TablePathSet(const CLintra &w)
{
    const QStringList paths = TablePaths(w);
    return QSet<QString>(paths.begin(), paths.end());
}

QString Status(const CLintra &w)
{
    return w.ui->SearchingProgressStatus_Label->text();
}

QModelIndex CellIndex(const CLintra &w, int row, int column)
{
    return w.ui->FilesFound_TableWidget->model()->index(row, column);
}

QVariant CellData(const CLintra &w, int row, int column, int role)
{
    return CellIndex(w, row, column).data(role);
}

QString CellText(const CLintra &w, int row, int column)
{
    return CellData(w, row, column).toString();
}

CModalHandler::CModalHandler(std::function<void(QWidget *)> handle)
{
    Timer.setInterval(10);
    QObject::connect(&Timer, &QTimer::timeout, [this, handle] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            Timer.stop();
            ++Handled;
            handle(modal);
        }
    });
    Timer.start();
}

CAtFile::CAtFile(CLintra &w, int file, std::function<void()> action)
{
    Connection =
        QObject::connect(w.ui->Searching_ProgressBar, &QProgressBar::valueChanged, [file, action](int value) {
            if (value == file)
                action();
        });
}

CAtFile::~CAtFile()
{
    QObject::disconnect(Connection);
}
