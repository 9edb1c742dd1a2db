#include "gamelist/ui/GameListBox.h"

#include "gamelist/GameListModel.h"

GameListBox::GameListBox(GameListModel* model, QWidget* parent)
    : QListView(parent), m_model(model) {
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true); // lists of 50,000 games must stay fast
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.row()); });
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowDoubleClicked(index.row()); });
}

int GameListBox::count() const {
    return m_model->rowCount();
}

int GameListBox::currentRow() const {
    return currentIndex().row();
}

void GameListBox::setCurrentRow(int row) {
    // Whole rows, so that the details table, which shares the selection, marks the row.
    selectionModel()->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
}

QString GameListBox::itemText(int row) const {
    return m_model->index(row, 0).data().toString();
}

QRect GameListBox::visualRowRect(int row) const {
    return visualRect(m_model->index(row, 0));
}
