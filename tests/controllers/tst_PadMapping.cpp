#include "controllers/PadMapping.h"
#include "controllers/SdlInputs.h"

#include <SDL.h>

#include <QtTest>

using Pad::Action;
using Pad::Input;

class tst_PadMapping : public QObject {
    Q_OBJECT
private slots:
    void actions_data();
    void actions();
};

void tst_PadMapping::actions_data() {
    QTest::addColumn<Input>("input");
    QTest::addColumn<Action>("action");
    QTest::addColumn<bool>("repeats");
    QTest::newRow("d-pad up") << Input::Up << Action::MoveUp << true;
    QTest::newRow("d-pad down") << Input::Down << Action::MoveDown << true;
    QTest::newRow("stick up") << Input::StickUp << Action::MoveUp << true;
    QTest::newRow("stick down") << Input::StickDown << Action::MoveDown << true;
    QTest::newRow("left shoulder pages up") << Input::LeftShoulder << Action::PageUp << true;
    QTest::newRow("right shoulder pages down") << Input::RightShoulder << Action::PageDown << true;
    QTest::newRow("A launches") << Input::A << Action::Launch << false;
    QTest::newRow("Start launches") << Input::Start << Action::Launch << false;
    QTest::newRow("B closes the filter") << Input::B << Action::CloseFilter << false;
    QTest::newRow("Y marks the favourite") << Input::Y << Action::Favourite << false;
    QTest::newRow("Back opens the views") << Input::Back << Action::ViewMenu << false;
    QTest::newRow("Guide switches full screen") << Input::Guide << Action::FullScreen << false;
    QTest::newRow("left trigger") << Input::LeftTrigger << Action::PreviousSystem << false;
    QTest::newRow("right trigger") << Input::RightTrigger << Action::NextSystem << false;
    QTest::newRow("X does nothing") << Input::X << Action::None << false;
    QTest::newRow("d-pad left does nothing") << Input::Left << Action::None << false;
    QTest::newRow("stick right does nothing") << Input::StickRight << Action::None << false;
}

void tst_PadMapping::actions() {
    QFETCH(Input, input);
    QFETCH(Action, action);
    QFETCH(bool, repeats);
    QCOMPARE(PadMapping::actionFor(input), action);
    QCOMPARE(PadMapping::repeats(PadMapping::actionFor(input)), repeats);
}

QTEST_APPLESS_MAIN(tst_PadMapping)
#include "tst_PadMapping.moc"
