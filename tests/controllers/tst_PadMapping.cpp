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
    void sdlButtons_data();
    void sdlButtons();
    void sdlAxes_data();
    void sdlAxes();
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

void tst_PadMapping::sdlButtons_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("input"); // -1: not an input of the window
    QTest::newRow("a") << int(SDL_CONTROLLER_BUTTON_A) << int(Input::A);
    QTest::newRow("b") << int(SDL_CONTROLLER_BUTTON_B) << int(Input::B);
    QTest::newRow("y") << int(SDL_CONTROLLER_BUTTON_Y) << int(Input::Y);
    QTest::newRow("back") << int(SDL_CONTROLLER_BUTTON_BACK) << int(Input::Back);
    QTest::newRow("guide") << int(SDL_CONTROLLER_BUTTON_GUIDE) << int(Input::Guide);
    QTest::newRow("start") << int(SDL_CONTROLLER_BUTTON_START) << int(Input::Start);
    QTest::newRow("left shoulder")
        << int(SDL_CONTROLLER_BUTTON_LEFTSHOULDER) << int(Input::LeftShoulder);
    QTest::newRow("d-pad up") << int(SDL_CONTROLLER_BUTTON_DPAD_UP) << int(Input::Up);
    QTest::newRow("d-pad down") << int(SDL_CONTROLLER_BUTTON_DPAD_DOWN) << int(Input::Down);
    QTest::newRow("right stick click") << int(SDL_CONTROLLER_BUTTON_RIGHTSTICK) << -1;
    QTest::newRow("paddle") << int(SDL_CONTROLLER_BUTTON_PADDLE1) << -1;
    QTest::newRow("touchpad") << int(SDL_CONTROLLER_BUTTON_TOUCHPAD) << -1;
    QTest::newRow("invalid") << int(SDL_CONTROLLER_BUTTON_INVALID) << -1;
}

void tst_PadMapping::sdlButtons() {
    QFETCH(int, button);
    QFETCH(int, input);
    const std::optional<Input> ours = SdlInputs::forButton(button);
    QCOMPARE(ours ? int(*ours) : -1, input);
}

void tst_PadMapping::sdlAxes_data() {
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("ours"); // -1: not read
    QTest::newRow("left x") << int(SDL_CONTROLLER_AXIS_LEFTX) << int(AxisButtons::Axis::LeftX);
    QTest::newRow("left y") << int(SDL_CONTROLLER_AXIS_LEFTY) << int(AxisButtons::Axis::LeftY);
    QTest::newRow("left trigger")
        << int(SDL_CONTROLLER_AXIS_TRIGGERLEFT) << int(AxisButtons::Axis::LeftTrigger);
    QTest::newRow("right trigger")
        << int(SDL_CONTROLLER_AXIS_TRIGGERRIGHT) << int(AxisButtons::Axis::RightTrigger);
    QTest::newRow("right stick x") << int(SDL_CONTROLLER_AXIS_RIGHTX) << -1;
    QTest::newRow("right stick y") << int(SDL_CONTROLLER_AXIS_RIGHTY) << -1;
}

void tst_PadMapping::sdlAxes() {
    QFETCH(int, axis);
    QFETCH(int, ours);
    const auto mapped = SdlInputs::forAxis(axis);
    QCOMPARE(mapped ? int(*mapped) : -1, ours);
}

QTEST_APPLESS_MAIN(tst_PadMapping)
#include "tst_PadMapping.moc"
