#include "gamelist/ui/GameDetailsTable.h"

#include "gamelist/GameListModel.h"

#include <QHash>
#include <QHeaderView>
#include <QTimer>

GameDetailsTable::GameDetailsTable(GameListModel* model, QItemSelectionModel* selection,
                                   QWidget* parent)
    : QTableView(parent), m_model(model), m_columnsSettled(new QTimer(this)) {
    m_columnsSettled->setSingleShot(true);
    m_columnsSettled->setInterval(400);
    connect(m_columnsSettled, &QTimer::timeout, this, &GameDetailsTable::columnsChanged);
    setModel(model);
    setSelectionModel(selection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setShowGrid(false);
    setTabKeyNavigation(false);
    // Rows of one height, never measured one by one: lists of 50,000 games must stay fast.
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setHighlightSections(false);
    header->setStretchLastSection(true);
    header->setDefaultSectionSize(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 8);
    connect(header, &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) {
                if (m_showingSort || column < 0 || column >= m_model->columns().size())
                    return;
                emit sortAsked(m_model->columns()[column], order == Qt::DescendingOrder);
            });
    connect(header, &QHeaderView::sectionMoved, m_columnsSettled,
            qOverload<>(&QTimer::start));
    connect(header, &QHeaderView::sectionResized, this, [this] {
        // Only the user's resizing; the model's resets and restoring resize too.
        if (!m_showingSort && isVisible())
            m_columnsSettled->start();
    });
    connect(this, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { emit rowDoubleClicked(index.row()); });
}

void GameDetailsTable::setDefaultWidths() {
    // In characters: titles are long, years and players short; the rest scrolls sideways.
    const int character = fontMetrics().horizontalAdvance(QLatin1Char('n'));
    const QHash<QString, int> widths{{kTitleColumn, 26}, {QStringLiteral("year"), 6},
                                     {QStringLiteral("manufacturer"), 16}, {kRomColumn, 10},
                                     {QStringLiteral("status"), 10}, {QStringLiteral("players"), 7},
                                     {QStringLiteral("category"), 16}};
    const QStringList& columns = m_model->columns();
    for (int c = 0; c < columns.size(); ++c) {
        const QString name = columns[c] == kTitleColumn || columns[c] == kRomColumn
                                 ? columns[c]
                                 : columns[c].toLower();
        horizontalHeader()->resizeSection(c, widths.value(name, 12) * character);
    }
}

void GameDetailsTable::showSort(const QString& column, bool descending) {
    m_showingSort = true;
    horizontalHeader()->setSortIndicator(int(m_model->columns().indexOf(column)),
                                         descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    m_showingSort = false;
}

QByteArray GameDetailsTable::columnsState() const {
    return horizontalHeader()->saveState();
}

void GameDetailsTable::restoreColumns(const QByteArray& state) {
    m_showingSort = true;
    setDefaultWidths();
    // A state saved for other columns is refused by the header, which keeps the defaults.
    if (!state.isEmpty() && horizontalHeader()->count() > 0)
        horizontalHeader()->restoreState(state);
    m_showingSort = false;
}
