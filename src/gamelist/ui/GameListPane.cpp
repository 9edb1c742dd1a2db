#include "gamelist/ui/GameListPane.h"

#include "gamelist/ui/GameDetailsTable.h"
#include "gamelist/ui/GameFilterField.h"
#include "gamelist/ui/GameListBox.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {

// The gap between the filter field and the list below it, in pixels.
constexpr int kFilterGapPx = 2;

// A key that starts finding games when typed into the list: a visible character, typed without
// Control, Alt or Meta. A blank starts nothing, as no word begins with one.
bool startsFinding(const QKeyEvent& key) {
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key.text();
    return !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                          [](QChar c) { return c.isPrint() && !c.isSpace(); });
}

} // namespace

GameListPane::GameListPane(const GameLibrary& library, QWidget* client)
    : QObject(client), m_model(library) {
    m_list = new GameListBox(&m_model, client);
    m_list->setObjectName(QStringLiteral("lstGames"));
    connect(m_list, &GameListBox::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            emit selectionChanged();
    });
    // A double-click or Enter launches the game; not `activated`, which some styles send on a
    // single click.
    connect(m_list, &GameListBox::rowDoubleClicked, this, &GameListPane::launchAsked);
    m_list->installEventFilter(this);

    m_filter = new GameFilterField(m_list, client);
    m_filter->setObjectName(QStringLiteral("txtFilter"));
    m_filter->hide();
    connect(m_filter, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::optional<QString> selected = selectedRom();
        m_view.query = text;
        show(selected);
    });
    connect(m_filter, &GameFilterField::escapePressed, this, &GameListPane::closeFilter);
    connect(m_filter, &QLineEdit::returnPressed, this, &GameListPane::launchAsked);
}

void GameListPane::setGames(QList<GameEntry> games, const std::function<void()>& grow,
                            GameDetails details) {
    m_model.setGames(std::move(games), std::move(details));
    {
        // The selection handler runs once, for the entry selected afterwards, not for the
        // clearing; the reset drops the current row, so selecting entry 0 always signals.
        const QSignalBlocker blocker(m_list);
        m_model.show(m_view);
    }
    emit refilled();
    showDetailsTable(m_view.detailsTable && !m_model.details().isEmpty());
    fitList(grow);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void GameListPane::replaceGames(QList<GameEntry> games, const std::function<void()>& grow,
                                GameDetails details) {
    const std::optional<QString> selected = selectedRom();
    const int scrolled = activeView()->verticalScrollBar()->value();
    m_model.setGames(std::move(games), std::move(details));
    show(selected);
    fitList(grow);
    activeView()->verticalScrollBar()->setValue(scrolled);
}

QAbstractItemView* GameListPane::activeView() const {
    if (m_table && !m_table->isHidden())
        return m_table;
    return m_list;
}

void GameListPane::showDetailsTable(bool shown) {
    if (shown && !m_table) {
        m_table = new GameDetailsTable(&m_model, m_list->selectionModel(), m_list->parentWidget());
        m_table->setObjectName(QStringLiteral("tblGameDetails"));
        m_table->hide();
        m_table->installEventFilter(this);
        connect(m_table, &GameDetailsTable::rowDoubleClicked, this, &GameListPane::launchAsked);
        connect(m_table, &GameDetailsTable::sortAsked, this, &GameListPane::detailsSortAsked);
        connect(m_table, &GameDetailsTable::columnsChanged, this,
                &GameListPane::detailsColumnsChanged);
        emit detailsTableMade();
    }
    if (!m_table || shown == !m_table->isHidden())
        return;
    placeTable();
    m_table->setVisible(shown);
    m_list->setVisible(!shown);
    m_filter->setList(activeView());
    if (shown)
        m_table->showSort(m_view.sortField, m_view.sortDescending);
    activeView()->scrollTo(activeView()->currentIndex());
    if (!m_filter->hasFocus())
        activeView()->setFocus(Qt::OtherFocusReason);
}

void GameListPane::placeTable() {
    if (m_table)
        m_table->setGeometry(m_list->geometry());
}

bool GameListPane::showClones(bool shown) {
    int row = m_list->currentRow();
    const RowMark mark = m_model.mark(row);
    if (!shown && mark == RowMark::Clone) {
        while (row > 0 && m_model.mark(row) == RowMark::Clone)
            --row;
    } else if (mark != (shown ? RowMark::ClonesHidden : RowMark::ClonesShown)) {
        return false;
    }
    const QString parent = m_model.rows().romName(row);
    if (shown)
        m_view.expanded.insert(parent);
    else
        m_view.expanded.remove(parent);
    show(parent);
    return true;
}

void GameListPane::setViewChoices(const ViewChoices& choices) {
    const std::optional<QString> selected = selectedRom();
    m_view = choices;
    show(selected);
}

void GameListPane::show(const std::optional<QString>& keep) {
    {
        const QSignalBlocker blocker(m_list);
        m_model.show(m_view);
        const qsizetype row = keep ? m_model.rows().rowOf(*keep) : -1;
        if (row >= 0 && m_list->count() > 0) {
            // Still the selected game: its profile, edits and all, stays on the panel.
            m_list->setCurrentRow(int(row));
            activeView()->scrollTo(activeView()->currentIndex());
        }
    }
    emit refilled();
    showDetailsTable(m_view.detailsTable && !m_model.details().isEmpty());
    if (m_table)
        m_table->showSort(m_view.sortField, m_view.sortDescending);
    if (m_list->currentRow() < 0 && m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void GameListPane::favouriteChanged() {
    const std::optional<QString> rom = selectedRom();
    // Only the view of favourites changes its entries; elsewhere the star is drawn anew.
    if (m_view.favouritesOnly)
        show(rom);
    else
        m_model.rowChanged(m_list->currentRow());
}

std::optional<QString> GameListPane::selectedRom() const {
    const int row = m_list->currentRow();
    if (row < 0 || row >= m_list->count())
        return std::nullopt;
    return m_model.rows().romName(row);
}

QString GameListPane::selectedDescription() const {
    return selectedRom() ? m_model.rows().description(m_list->currentRow()) : QString();
}

void GameListPane::placeFilterField() {
    const int height = m_filter->sizeHint().height();
    const QRect list = m_listGeometry;
    m_filter->setGeometry(list.x(), list.y(), list.width(), height);
    m_list->setGeometry(list.x(), list.y() + height + kFilterGapPx, list.width(),
                        qMax(0, list.height() - height - kFilterGapPx));
    placeTable();
}

void GameListPane::openFilter(const QString& typed) {
    if (m_filter->isHidden()) {
        m_listGeometry = m_list->geometry();
        placeFilterField();
        m_filter->show();
    }
    m_filter->setFocus(Qt::ShortcutFocusReason);
    if (!typed.isEmpty())
        m_filter->insert(typed);
}

void GameListPane::closeFilter() {
    if (m_filter->isHidden())
        return;
    m_filter->clear(); // refills the list, the selected game kept
    m_filter->hide();
    m_list->setGeometry(m_listGeometry);
    placeTable();
    activeView()->setFocus(Qt::OtherFocusReason);
    activeView()->scrollTo(activeView()->currentIndex());
}

void GameListPane::fitList(const std::function<void()>& grow) {
    const bool filtering = !m_filter->isHidden();
    if (filtering)
        m_list->setGeometry(m_listGeometry);
    grow();
    if (filtering) {
        m_listGeometry = m_list->geometry();
        placeFilterField();
    }
    placeTable();
}

void GameListPane::watchFirstPaint() {
    m_watchingPaint = true;
    m_list->viewport()->installEventFilter(this);
}

bool GameListPane::eventFilter(QObject* watched, QEvent* event) {
    if (m_watchingPaint && watched == m_list->viewport() && event->type() == QEvent::Paint) {
        m_watchingPaint = false;
        m_list->viewport()->removeEventFilter(this);
        QTimer::singleShot(0, this, &GameListPane::firstPainted); // once this paint is done
    }
    if ((watched == m_list || (m_table && watched == m_table)) &&
        event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            modifiers == Qt::NoModifier) {
            emit launchAsked();
            return true;
        }
        if ((key->key() == Qt::Key_Right || key->key() == Qt::Key_Left) &&
            modifiers == Qt::NoModifier && showClones(key->key() == Qt::Key_Right))
            return true;
        if (startsFinding(*key)) {
            openFilter(key->text());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
