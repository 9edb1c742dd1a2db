#pragma once

#include "controllers/PadInput.h"

#include <optional>
#include <utility>
#include <vector>

// The left stick and the triggers read as buttons. An axis counts as pushed past
// kPressAt and as let go only below kReleaseAt, so a stick resting near the threshold never
// chatters.
class AxisButtons {
public:
    static constexpr int kPressAt = 16000;
    static constexpr int kReleaseAt = 8000;

    enum class Axis { LeftX, LeftY, LeftTrigger, RightTrigger };
    struct Change {
        Pad::Input input;
        bool pressed;
        friend bool operator==(const Change&, const Change&) = default;
    };

    // The inputs that an axis' new value presses or lets go; values run -32768..32767, down
    // and right positive, as SDL reports them.
    std::vector<Change> set(Axis axis, int value);
    // Takes the values as they stand without reporting them: a stick that is held when the
    // reader comes back from a launch must be let go before it moves anything.
    void seed(Axis axis, int value);

private:
    struct State {
        bool negative = false;
        bool positive = false;
    };
    State& state(Axis axis) { return m_states[static_cast<int>(axis)]; }
    static std::pair<std::optional<Pad::Input>, std::optional<Pad::Input>> inputsOf(Axis axis);

    State m_states[4];
};
