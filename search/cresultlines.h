#ifndef LINTRA_CRESULTLINES_H
#define LINTRA_CRESULTLINES_H

#include <QObject>

#include <functional>

#include "search/core/keywordquery.h"
#include "text/core/unmarkedtext.h"

class CMatchingLinesModel;
class CMatchingLinesWorker;
class CResultsOrder;
class QAction;
class QKeyEvent;
class QTableView;
class QThread;

// The matching lines in the results table: sets CMatchingLinesModel between
// the table and its rows, draws them (CMatchingLineDelegate), lets the user
// unfold a row with its arrow, Right (Left folds) or "Show Matching Lines",
// and has the lines of the unfolded rows found on a thread of its own
// (CMatchingLinesWorker), so that the window never reads a file.
class CResultLines : public QObject
{
    Q_OBJECT

public:
    // filePath: the path, as the file system spells it, of an order's row.
    CResultLines(QTableView *table, CResultsOrder *order, const std::function<QByteArray(int)> &filePath);
    ~CResultLines() override;

    CMatchingLinesModel *Model() const { return Lines; }
    // The keywords of the full-text search whose results are shown, and what
    // decodes text without a byte-order mark; an empty query (a filename
    // search) has no lines to unfold.
    void SetSearch(const CKeywordQuery &query, const CUnmarkedTextCharset &charset);
    // "Show Matching Lines", for the table's menu.
    QAction *ShowAllAction() const { return ShowAll; }

    // Right, Left and Enter on the current row; true when taken.
    bool KeyPressed(const QKeyEvent *event);

signals:
    // A line row was clicked or entered: the order's file row and the line (from 1).
    void LineChosen(int fileRow, qint64 line);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void StartWorker();
    void StopWorker();
    void FindLines(quint64 request, int fileRow);
    void SpanLineRows(int first, int last);
    void SpanAllLineRows();
    bool ChooseLine(int row);

    QTableView *Table;
    CMatchingLinesModel *Lines;
    std::function<QByteArray(int)> FilePath;
    CKeywordQuery Query;
    CUnmarkedTextCharset Charset;
    QAction *ShowAll;
    QThread *WorkerThread = nullptr;
    CMatchingLinesWorker *Worker = nullptr;
};

#endif
