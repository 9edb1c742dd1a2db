#include "gamelist/ui/GameListSource.h"

#include "base/Dialogs.h"
#include "gamelist/EndingMessage.h"
#include "gamelist/ui/GameListPane.h"
#include "gamelist/ui/ListWaitWindow.h"
#include "session/GameSession.h"

#include <QTimer>

GameListSource::GameListSource(GameSession& session, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_session(session), m_dialogs(dialogs) {
    connect(&m_session, &GameSession::listRefreshFailed, this, [this](const GameListResult& r) {
        m_dialogs.warning(QStringLiteral("The game list could not be read from the emulator; "
                                         "the list shown is the one from the last start.") +
                          QStringLiteral("\n\n") + r.message);
    });
}

GameListSource::~GameListSource() = default;

bool GameListSource::generate() {
    // A fast emulator shows nothing but the main window: the wait window is made only once the
    // wait has lasted a moment.
    m_listWaitDelay = new QTimer(this);
    m_listWaitDelay->setSingleShot(true);
    connect(m_listWaitDelay, &QTimer::timeout, this, [this] {
        m_listWait = std::make_unique<ListWaitWindow>(m_session.settings().WindowCaption);
        m_listWait->showCentred();
    });
    m_listWaitDelay->start(ListWaitWindow::delayMs);
    const GameListResult result = m_session.generateList(m_dialogs);
    if (!result.ok) {
        closeListWait();
        ShowEndingMessage(m_dialogs, result.message, result.cause);
        return false;
    }
    return true;
}

void GameListSource::closeListWait() {
    if (m_listWaitDelay)
        m_listWaitDelay->stop();
    m_listWait.reset();
}

void GameListSource::refreshWhenDrawn(GameListPane& pane) {
    // The emulator's list run competes for the processor with the window's first paint (MAME
    // keeps two cores busy for seconds).
    m_backgroundPending = true;
    connect(&pane, &GameListPane::firstPainted, this, &GameListSource::startBackgroundList);
    pane.watchFirstPaint();
    QTimer::singleShot(1000, this, &GameListSource::startBackgroundList);
}

void GameListSource::startBackgroundList() {
    if (!m_backgroundPending)
        return;
    m_backgroundPending = false;
    m_session.startBackgroundList();
}

bool GameListSource::backgroundListRunning() const {
    return m_backgroundPending || m_session.backgroundListRunning();
}
