#include "common/MainWindowFixture.h"

MainWindowFixture::MainWindowFixture()
    : m_ownFolder(std::make_unique<TestAppFolder>()), app(*m_ownFolder), state(app.path()),
      w(state, dialogs) {}

MainWindowFixture::MainWindowFixture(const TestAppFolder& folder)
    : app(folder), state(folder.path()), w(state, dialogs) {}

void MainWindowFixture::startFromCache() {
    w.ReadDovrelCFG();
    w.LoadGameList(false);
    w.InitCfg();
}

QStringList ListedTitles(const frmMain& w) {
    QStringList texts;
    for (int row = 0; row < w.lstGames->count(); ++row)
        texts << w.lstGames->itemText(row);
    return texts;
}
