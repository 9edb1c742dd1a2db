#include "common/MainWindowFixture.h"

namespace {

AppState stateIn(const TestAppFolder& folder) {
    AppState state;
    state.appDir = folder.path();
    return state;
}

} // namespace

MainWindowFixture::MainWindowFixture()
    : m_ownFolder(std::make_unique<TestAppFolder>()), app(*m_ownFolder), state(stateIn(app)),
      w(state, dialogs) {}

MainWindowFixture::MainWindowFixture(const TestAppFolder& folder)
    : app(folder), state(stateIn(folder)), w(state, dialogs) {}

void MainWindowFixture::startFromCache() {
    w.ReadDovrelCFG();
    w.LoadGameList(false);
    w.InitCfg();
}
