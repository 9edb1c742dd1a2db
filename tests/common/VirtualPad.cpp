#include "common/VirtualPad.h"

#include "controllers/ControllerReader.h"

#include <QTest>

VirtualPad::VirtualPad(ControllerReader& reader) : m_reader(reader) {
    if (!QTest::qWaitFor([&] { return reader.isReady(); }))
        return;
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Tarvelin test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0)
        m_id = SDL_JoystickGetDeviceInstanceID(index);
    m_reader.nudge();
}

VirtualPad::~VirtualPad() {
    unplug();
}

void VirtualPad::unplug() {
    if (m_id < 0)
        return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == m_id) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    }
    m_id = -1;
    m_reader.nudge();
}

SDL_Joystick* VirtualPad::joystick() const {
    return m_id >= 0 ? SDL_JoystickFromInstanceID(m_id) : nullptr;
}

bool VirtualPad::waitUntilOpen() {
    return QTest::qWaitFor([&] { return joystick() != nullptr; });
}

void VirtualPad::setButtonUnread(SDL_GameControllerButton button, bool down) {
    if (SDL_Joystick* j = joystick())
        SDL_JoystickSetVirtualButton(j, button, down ? 1 : 0);
    m_reader.nudge();
}

bool VirtualPad::setButton(SDL_GameControllerButton button, bool down) {
    SDL_Joystick* j = joystick();
    if (!j)
        return false;
    setButtonUnread(button, down);
    return QTest::qWaitFor([&] { return SDL_JoystickGetButton(j, button) == (down ? 1 : 0); });
}

bool VirtualPad::tap(SDL_GameControllerButton button) {
    return setButton(button, true) && setButton(button, false);
}

void VirtualPad::setAxisUnread(SDL_GameControllerAxis axis, int value) {
    if (SDL_Joystick* j = joystick())
        SDL_JoystickSetVirtualAxis(j, axis, static_cast<Sint16>(value));
    m_reader.nudge();
}

bool VirtualPad::setAxis(SDL_GameControllerAxis axis, int value) {
    SDL_Joystick* j = joystick();
    if (!j)
        return false;
    setAxisUnread(axis, value);
    return QTest::qWaitFor([&] { return SDL_JoystickGetAxis(j, axis) == value; });
}
