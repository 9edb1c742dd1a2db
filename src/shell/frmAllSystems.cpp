#include "shell/frmAllSystems.h"

#include "shell/SystemMenus.h"
#include "ui/WidgetPlacement.h"

#include <QAction>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTreeView>
#include <QVBoxLayout>

using WidgetPlacement::named;

frmAllSystems::frmAllSystems(QWidget* parent) : QMainWindow(parent), m_model(this) {
    setObjectName(QStringLiteral("frmAllSystems"));
    setWindowTitle(QStringLiteral("All Systems"));
    auto* client = named(new QWidget(this), "client");
    auto* layout = new QVBoxLayout(client);
    txtFind = named(new QLineEdit(client), "txtFind");
    txtFind->setPlaceholderText(QStringLiteral("Find games in every system"));
    txtFind->setClearButtonEnabled(true);
    tblAllGames = named(new QTreeView(client), "tblAllGames");
    tblAllGames->setModel(&m_model);
    tblAllGames->setRootIsDecorated(false);
    tblAllGames->setUniformRowHeights(true);
    tblAllGames->setAllColumnsShowFocus(true);
    tblAllGames->header()->setStretchLastSection(false);
    tblAllGames->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    tblAllGames->header()->setSectionResizeMode(1, QHeaderView::Fixed);
    lblUnlisted = named(new QLabel(client), "lblUnlisted");
    lblUnlisted->setWordWrap(true);
    lblUnlisted->setTextFormat(Qt::PlainText);
    lblUnlisted->hide();
    layout->addWidget(txtFind);
    layout->addWidget(tblAllGames, 1);
    layout->addWidget(lblUnlisted);
    setCentralWidget(client);
    buildMenus();

    // Typing selects the best match, so that Enter starts it.
    connect(txtFind, &QLineEdit::textChanged, this, [this] { refill(false); });
    connect(tblAllGames, &QTreeView::doubleClicked, this, &frmAllSystems::askLaunch);
    txtFind->installEventFilter(this);
    tblAllGames->installEventFilter(this);
    setFocusProxy(txtFind);
}

void frmAllSystems::buildMenus() {
    mnuConfig = named(menuBar()->addMenu(QStringLiteral("&Config")), "mnuConfig");
    mnuView = named(menuBar()->addMenu(QStringLiteral("&View")), "mnuView");
    mnuViewFavourite = named(mnuView->addAction(QStringLiteral("Fa&vourite")), "mnuViewFavourite");
    mnuViewFavourite->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(mnuViewFavourite, &QAction::triggered, this, [this] {
        if (const std::optional<AllSystemsGames::Row> row = selected())
            emit favouriteAsked(*row);
    });
    mnuView->addSeparator();
    const auto choice = [this](const QString& text, const char* name) {
        QAction* action = named(mnuView->addAction(text), name);
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this] { refill(); });
        return action;
    };
    mnuViewFavouritesOnly = choice(QStringLiteral("Fav&ourites Only"), "mnuViewFavouritesOnly");
    mnuViewRecentlyPlayed = choice(QStringLiteral("Recently &Played"), "mnuViewRecentlyPlayed");
    mnuViewSortByTitle = choice(QStringLiteral("Sort by &Title"), "mnuViewSortByTitle");
    // One order at a time, as in a system's own window.
    connect(mnuViewRecentlyPlayed, &QAction::triggered, this, [this](bool on) {
        if (on)
            mnuViewSortByTitle->setChecked(false);
        refill();
    });
    connect(mnuViewSortByTitle, &QAction::triggered, this, [this](bool on) {
        if (on)
            mnuViewRecentlyPlayed->setChecked(false);
        refill();
    });
    mnuView->addSeparator();
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->menuAction()->setVisible(false); // only a place for the System menu to go before
    m_systemMenus = new SystemMenus(this, mnuConfig, mnuView, help);
}

ViewChoices frmAllSystems::viewChoices() const {
    ViewChoices choices;
    choices.query = txtFind->text();
    choices.favouritesOnly = mnuViewFavouritesOnly->isChecked();
    choices.recentlyPlayed = mnuViewRecentlyPlayed->isChecked();
    choices.sortByTitle = mnuViewSortByTitle->isChecked();
    return choices;
}

void frmAllSystems::setSystems(std::vector<AllSystemsGames::System> systems,
                               const QStringList& unlisted) {
    // The system column as wide as the longest name: measuring it from the rows would visit
    // every one of them.
    const QFontMetrics metrics(tblAllGames->font());
    int width = metrics.horizontalAdvance(QStringLiteral("System"));
    for (const AllSystemsGames::System& system : systems)
        width = std::max(width, metrics.horizontalAdvance(system.name));
    tblAllGames->header()->resizeSection(1, width + 4 * metrics.averageCharWidth());
    m_model.games().setSystems(std::move(systems));
    lblUnlisted->setText(QStringLiteral("Not listed yet (show them once to list their games): ") +
                         unlisted.join(QStringLiteral(", ")));
    lblUnlisted->setVisible(!unlisted.isEmpty());
    refill();
}

void frmAllSystems::refill(bool keepSelected) {
    // The selected game stays selected while it is still listed.
    const std::optional<AllSystemsGames::Row> keep = selected();
    m_model.show(viewChoices());
    int row = 0;
    if (keepSelected && keep) {
        const auto& rows = m_model.rows();
        const auto found = std::find(rows.begin(), rows.end(), *keep);
        row = found == rows.end() ? 0 : int(found - rows.begin());
    }
    if (m_model.rowCount() > 0) {
        const QModelIndex index = m_model.index(row, 0);
        tblAllGames->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        tblAllGames->scrollTo(index);
    }
}

std::optional<AllSystemsGames::Row> frmAllSystems::selected() const {
    const QModelIndex current = tblAllGames->currentIndex();
    if (!current.isValid() || size_t(current.row()) >= m_model.rows().size())
        return std::nullopt;
    return m_model.rows()[size_t(current.row())];
}

void frmAllSystems::askLaunch() {
    if (const std::optional<AllSystemsGames::Row> row = selected())
        emit launchAsked(*row);
}

bool frmAllSystems::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        askLaunch();
        return true;
    }
    // The field keeps the typing; the moves go to the list, as in a system's filter field.
    if (watched == txtFind &&
        (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
         key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
        QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers());
        QCoreApplication::sendEvent(tblAllGames, &copy);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
