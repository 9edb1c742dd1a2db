#pragma once

#include "gamelist/GameListGenerator.h"

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QTemporaryFile>

#include <atomic>

class QThread;

// The emulator's list command run while the window is in use, with the event loop running and
// no pause. The list lands in a private temporary file, read once the command has ended: an
// emulator that writes its list a word at a time (MAME does) would otherwise wake the window's
// thread hundreds of thousands of times. The cache is replaced only when the new list differs
// from it. Once started it reports exactly once.
// A list made from the ROM folder is read on a thread of its own instead, so that a slow disk
// or a network folder never holds up the window; it is compared and stored the same way.
class BackgroundGameList : public QObject {
    Q_OBJECT
public:
    // A command still running when the object goes (the window closed) is ended with it: its
    // list would be read by nobody.
    BackgroundGameList(GameListRequest request, ListLayout layout, QObject* parent = nullptr);
    ~BackgroundGameList() override;

    void start();
    bool running() const { return m_running; }

signals:
    // `result` holds the message of a failed run, or says whether the cache was replaced.
    void finished(const GameListResult& result);

private:
    void report(const GameListResult& result);
    void listEnded();
    void startFolderListing();

    GameListRequest m_request;
    ListLayout m_layout;
    QProcess* m_process = nullptr;
    QTemporaryFile m_output;
    bool m_running = false;
    QThread* m_folderThread = nullptr;
    std::atomic<bool> m_stopFolder{false};
    GameListResult m_folderResult; // written by the thread, read once it has finished
};
