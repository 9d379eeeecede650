// The main window's part of the search: query, walk, scans, driver, table.
// (Filled in with the search work.)

#include "app/clintra.h"
#include "app/ui_clintra.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>

#include "app/platform.h"
#include "search/keywordquery.h"

void CLintra::on_DoFullTextSearch_PushButton_clicked() {}
void CLintra::on_BrowseDir_ToolButton_clicked() {}
void CLintra::on_CancelSearch_PushButton_clicked() { CancelRequested = true; }
void CLintra::on_DoFilenameSearch_PushButton_clicked() {}
void CLintra::on_MatchWholeWord_RadioButton_clicked() { MatchWholeWord = true; }
void CLintra::on_MatchSubstring_RadioButton_clicked() { MatchWholeWord = false; }
void CLintra::OnPathComboBoxCarriageReturn(QString) {}
void CLintra::OnKeywordsComboBoxCarriageReturn(QString, TEnumSearchWhat) {}
void CLintra::ClearResult() {}
int CLintra::CountKeywords(const QString &text) const
{
    return ::CountKeywords(text);
}

QStringList CLintra::ParseKeywords(const QString &text)
{
    const CKeywordQuery query = ::ParseKeywords(text);
    KeywordList = query.KeywordList;
    KeywordPatterns = query.KeywordPatterns;
    return KeywordPatterns;
}
QStringList CLintra::WalkDirectory(const QDir &, const QStringList &, TEnumSearchWhat) { return QStringList(); }
QStringList CLintra::ScanFileNames(const QDir &, const QStringList &, const QStringList &) { return QStringList(); }
QStringList CLintra::ScanFileContents(const QDir &, const QStringList &, const QStringList &) { return QStringList(); }
void CLintra::SetUpResultsTable()
{
    QTableWidget *table = ui->FilesFound_TableWidget;
    table->setColumnWidth(1, 75);
    table->setColumnWidth(2, 160);
    table->setHorizontalHeaderLabels(QStringList() << tr("Filename") << tr("Size (KB)")
                                                   << tr("Last Modified Time"));
    table->horizontalHeader()->setDefaultAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    if (QTableWidgetItem *sizeHeader = table->horizontalHeaderItem(1))
        sizeHeader->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table->verticalHeader()->hide();
    table->setShowGrid(false);
    table->setContextMenuPolicy(Qt::CustomContextMenu);
}

namespace {

QTableWidgetItem *NewResultItem(const QString &text)
{
    QTableWidgetItem *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    // The path is shown as text even where it looks like markup.
    item->setToolTip(QStringLiteral("<font face=\"verdana\">") + text.toHtmlEscaped()
                     + QStringLiteral("</font>"));
    return item;
}

} // namespace

void CLintra::AddResultRows(const QStringList &paths)
{
    QTableWidget *table = ui->FilesFound_TableWidget;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        QString shown = path;
        if (RunningPlatform == Windows)
            shown.replace(QLatin1Char('/'), QLatin1Char('\\'));
        const qint64 kiloBytes = qint64((info.size() + 1023) * 0.0009765625);

        QTableWidgetItem *nameItem = NewResultItem(shown);
        QTableWidgetItem *sizeItem = NewResultItem(QString::number(kiloBytes));
        sizeItem->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QTableWidgetItem *timeItem = NewResultItem(info.lastModified().toString(Qt::TextDate));

        const int row = table->rowCount();
        table->insertRow(row);
        table->setItem(row, 0, nameItem);
        table->setItem(row, 1, sizeItem);
        table->setItem(row, 2, timeItem);
    }
}
