#include "gamelist/ui/GameListBox.h"

#include <QHelpEvent>
#include <QStringListModel>
#include <QToolTip>

// The entries' texts, with the mark before those that carry one, where eliding a long title
// cannot hide it.
class GameListModel : public QStringListModel {
public:
    using QStringListModel::QStringListModel;
    std::function<bool(int)> marked;

    QVariant data(const QModelIndex& index, int role) const override {
        QVariant value = QStringListModel::data(index, role);
        if (role == Qt::DisplayRole && marked && marked(index.row()))
            return QVariant(QStringLiteral("\u2605 ") + value.toString());
        return value;
    }
};

GameListBox::GameListBox(QWidget* parent) : QListView(parent), m_model(new GameListModel(this)) {
    setModel(m_model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true); // lists of 50,000 games must stay fast
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { emit currentRowChanged(current.row()); });
    connect(this, &QListView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowDoubleClicked(index.row()); });
}

void GameListBox::setItems(QStringList texts) {
    // A model reset clears the current entry and the selection without a signal.
    m_model->setStringList(std::move(texts));
}

int GameListBox::count() const { return m_model->rowCount(); }

int GameListBox::currentRow() const { return currentIndex().row(); }

void GameListBox::setCurrentRow(int row) {
    selectionModel()->setCurrentIndex(m_model->index(row), QItemSelectionModel::ClearAndSelect);
}

QString GameListBox::itemText(int row) const { return m_model->index(row).data().toString(); }

QRect GameListBox::visualRowRect(int row) const { return visualRect(m_model->index(row)); }

void GameListBox::setMarkSource(std::function<bool(int row)> source) {
    m_model->marked = std::move(source);
}

void GameListBox::updateRow(int row) { update(m_model->index(row)); }

void GameListBox::setToolTipSource(std::function<QString(int row)> source) {
    m_toolTipSource = std::move(source);
}

bool GameListBox::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip && m_toolTipSource) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int row = indexAt(help->pos()).row();
        const QString text = row >= 0 ? m_toolTipSource(row) : QString();
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport(), visualRowRect(row));
        return true;
    }
    return QListView::viewportEvent(event);
}
