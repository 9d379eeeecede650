#include "windowdriver.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTableWidget>

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
    const QTableWidget *table = w.ui->FilesFound_TableWidget;
    for (int row = 0; row < table->rowCount(); ++row)
        paths << (table->item(row, 0) ? table->item(row, 0)->text() : QString());
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
