#include "controllers/SdlInputs.h"

#include <SDL.h>

namespace SdlInputs {

std::optional<Pad::Input> forButton(int sdlButton) {
    using Pad::Input;
    switch (sdlButton) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return Input::Up;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return Input::Down;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return Input::Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return Input::Right;
    case SDL_CONTROLLER_BUTTON_A:
        return Input::A;
    case SDL_CONTROLLER_BUTTON_B:
        return Input::B;
    case SDL_CONTROLLER_BUTTON_X:
        return Input::X;
    case SDL_CONTROLLER_BUTTON_Y:
        return Input::Y;
    case SDL_CONTROLLER_BUTTON_BACK:
        return Input::Back;
    case SDL_CONTROLLER_BUTTON_GUIDE:
        return Input::Guide;
    case SDL_CONTROLLER_BUTTON_START:
        return Input::Start;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return Input::LeftShoulder;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return Input::RightShoulder;
    default:
        return std::nullopt;
    }
}

std::optional<AxisButtons::Axis> forAxis(int sdlAxis) {
    using Axis = AxisButtons::Axis;
    switch (sdlAxis) {
    case SDL_CONTROLLER_AXIS_LEFTX:
        return Axis::LeftX;
    case SDL_CONTROLLER_AXIS_LEFTY:
        return Axis::LeftY;
    case SDL_CONTROLLER_AXIS_TRIGGERLEFT:
        return Axis::LeftTrigger;
    case SDL_CONTROLLER_AXIS_TRIGGERRIGHT:
        return Axis::RightTrigger;
    default:
        return std::nullopt;
    }
}

} // namespace SdlInputs
