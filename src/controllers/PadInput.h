#pragma once

#include <QObject>

// What a controller says and what the main window does with it, in the window's own terms:
// the reader turns SDL's buttons and axes into PadInput, the mapping turns inputs into actions.
namespace Pad {
Q_NAMESPACE

// The buttons of a game controller as SDL lays every known pad out, and the left stick and the
// triggers read as buttons (pushed past a threshold).
enum class Input {
    Up,
    Down,
    Left,
    Right,
    StickUp,
    StickDown,
    StickLeft,
    StickRight,
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftShoulder,
    RightShoulder,
    LeftTrigger,
    RightTrigger,
};
Q_ENUM_NS(Input)

enum class Action {
    None,
    MoveUp,
    MoveDown,
    PageUp,
    PageDown,
    Launch,
    CloseFilter,
    Favourite,
    ViewMenu,
    FullScreen,
    // The triggers, kept for a window that lists more than one system.
    PreviousSystem,
    NextSystem,
};
Q_ENUM_NS(Action)

} // namespace Pad
