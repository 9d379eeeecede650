#ifndef LINTRA_CRESULTSTABLE_H
#define LINTRA_CRESULTSTABLE_H

#include <QTableView>

class CResultsModel;

// The results table: a view of CResultsModel, so that a row costs what its
// file name costs, with the few calls of a table widget the window uses
// (the row count, the current row, a signal when the selection changes).
class CResultsTable : public QTableView
{
    Q_OBJECT

public:
    // backslashes: paths are shown with "\" for every "/".
    explicit CResultsTable(bool backslashes, QWidget *parent = nullptr);

    CResultsModel *Results() const { return Model; }
    int rowCount() const;
    // The row of the current cell, -1 without one.
    int currentRow() const;

signals:
    void itemSelectionChanged();

private:
    CResultsModel *Model;
};

#endif
