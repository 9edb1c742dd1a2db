#pragma once

#include "common/FakeDialogs.h"
#include "common/TestAppFolder.h"
#include "session/GameSession.h"
#include "shell/frmMain.h"

#include <memory>

// A main window in a private application folder, its dialogs recorded: what every test of the
// whole window starts from. The folder is the fixture's own unless the test passes one in; the
// window is made with the folder already in its state, as start-up makes it.
class MainWindowFixture {
    std::unique_ptr<TestAppFolder> m_ownFolder; // first: `app` may refer to it

public:
    MainWindowFixture();
    explicit MainWindowFixture(const TestAppFolder& folder);

    // The start-up sequence without the list generation, for a test that wrote the cache
    // itself: the settings, every cached game, the options panel (which selects game 0).
    void startFromCache();

    const TestAppFolder& app;
    GameSession state;
    FakeDialogs dialogs;
    frmMain w;
};

// The texts of lstGames' entries, top to bottom, as drawn.
QStringList ListedTitles(const frmMain& w);
