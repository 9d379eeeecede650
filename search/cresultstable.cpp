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
}

int CResultsTable::rowCount() const
{
    return Model->rowCount();
}

int CResultsTable::currentRow() const
{
    return currentIndex().row();
}
