#pragma once

#include <QObject>

#include <memory>

class Dialogs;
class GameListPane;
class GameSession;
class ListWaitWindow;
class QTimer;

// Where the window's game list comes from at start-up: the emulator's list command, waited
// for with a small wait window when it is slow; or, with quick start, the cache at once and
// the emulator asked in the background once the list has been drawn. A background list that
// fails keeps the list shown and warns once.
class GameListSource : public QObject {
    Q_OBJECT
public:
    GameListSource(GameSession& session, Dialogs& dialogs, QObject* parent = nullptr);
    ~GameListSource() override;

    // The standard start-up's list: false when the program must end (the message was shown).
    bool generate();
    // Quick start: the background list starts when the pane's list is first drawn, or after a
    // second when the window is not drawn by then.
    void refreshWhenDrawn(GameListPane& pane);
    bool backgroundListRunning() const;
    // The window that tells of a slow list command; null once the main window shows.
    ListWaitWindow* listWaitWindow() const { return m_listWait.get(); }
    void closeListWait();

private:
    void startBackgroundList();

    GameSession& m_session;
    Dialogs& m_dialogs;
    QTimer* m_listWaitDelay = nullptr;
    std::unique_ptr<ListWaitWindow> m_listWait;
    bool m_backgroundPending = false;
};
