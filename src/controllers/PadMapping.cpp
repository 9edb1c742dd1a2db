#include "controllers/PadMapping.h"

namespace PadMapping {

using Pad::Action;
using Pad::Input;

Action actionFor(Input input) {
    switch (input) {
    case Input::Up:
    case Input::StickUp:
        return Action::MoveUp;
    case Input::Down:
    case Input::StickDown:
        return Action::MoveDown;
    case Input::LeftShoulder:
        return Action::PageUp;
    case Input::RightShoulder:
        return Action::PageDown;
    case Input::A:
    case Input::Start:
        return Action::Launch;
    case Input::B:
        return Action::CloseFilter;
    case Input::Y:
        return Action::Favourite;
    case Input::Back:
        return Action::ViewMenu;
    case Input::Guide:
        return Action::FullScreen;
    case Input::LeftTrigger:
        return Action::PreviousSystem;
    case Input::RightTrigger:
        return Action::NextSystem;
    case Input::Left:
    case Input::Right:
    case Input::StickLeft:
    case Input::StickRight:
    case Input::X:
        break;
    }
    return Action::None;
}

bool repeats(Action action) {
    return action == Action::MoveUp || action == Action::MoveDown || action == Action::PageUp ||
           action == Action::PageDown;
}

} // namespace PadMapping
