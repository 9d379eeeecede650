#ifndef LINTRA_CRESULTSTABLE_H
#define LINTRA_CRESULTSTABLE_H

#include <QFont>
#include <QTableView>

class QUrl;
class CResultsModel;
class CResultsOrder;
class CResultLines;

// The results table: a view of CResultsModel, so that a row costs what its
// file name costs, with the few calls of a table widget the window uses
// (the row count, the current row, a signal when the selection changes).
// Rows are numbered as shown: a click on a column's header sorts by it
// (CResultsOrder). A row is selected whole; Enter or a double click asks to
// open its file, and rows can be dragged out as files. Rows are selected as
// in any list (Ctrl and Shift with a click). The path column takes the width
// the table has beyond the size and date columns; a longer path is shortened
// in the middle, its tool-tip holds it whole.
class CResultsTable : public QTableView
{
    Q_OBJECT

public:
    // backslashes: paths are shown with "\" for every "/".
    explicit CResultsTable(bool backslashes, QWidget *parent = nullptr);

    // The results in the order the search found them.
    CResultsModel *Results() const { return Model; }
    // The matching lines under the rows of a full-text search.
    CResultLines *Lines() const { return MatchingLines; }
    int rowCount() const;
    // Rows are the files' rows: a line row counts as its file's.
    // The row of the current cell, -1 without one.
    int currentRow() const;
    // The Filename cell of a shown row; empty for a cleared cell or no row.
    QString FilePath(int row) const;
    // The same as the file system spells it.
    QByteArray FilePathBytes(int row) const;
    // Whether the point of the viewport is on a Filename cell that holds a
    // path: where the actions on a file are usable.
    bool FileCellAt(const QPoint &point) const;
    // The selected rows, top to bottom as shown.
    QList<int> SelectedRows() const;
    // The file's address: file: and the path's bytes, percent-encoded.
    QUrl FileUrl(int row) const;
    // Room for the path column: what the size and date columns leave.
    int PathColumnRoom() const;
    // Wide enough for every date the date column shows, with its year.
    int WholeDateWidth() const;

    int sizeHintForColumn(int column) const override;

signals:
    void itemSelectionChanged();
    void OpenRequested(int row);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    CResultsModel *Model;
    CResultsOrder *Order;
    CResultLines *MatchingLines;
    // The last WholeDateWidth and the font it was measured in.
    mutable int DateWidth = -1;
    mutable QFont DateFont;
};

#endif
