#include "search/cresultstable.h"

#include <QItemSelectionModel>

#include "search/core/resultsmodel.h"

CResultsTable::CResultsTable(bool backslashes, QWidget *parent)
    : QTableView(parent)
    , Model(new CResultsModel(backslashes, this))
{
    setModel(Model);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CResultsTable::itemSelectionChanged);
    // Ctrl+End and Ctrl+arrows move the current row without selecting it;
    // it is selected all the same, since the row on show is the current one.
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && !selectionModel()->isRowSelected(current.row(), QModelIndex()))
                    selectionModel()->select(current,
                                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
                emit itemSelectionChanged();
            });
}

int CResultsTable::rowCount() const
{
    return Model->rowCount();
}

int CResultsTable::currentRow() const
{
    return currentIndex().row();
}
