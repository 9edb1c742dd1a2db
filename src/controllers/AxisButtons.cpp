#include "controllers/AxisButtons.h"

#include <cstdlib>

std::pair<std::optional<Pad::Input>, std::optional<Pad::Input>> AxisButtons::inputsOf(Axis axis) {
    switch (axis) {
    case Axis::LeftX:
        return {Pad::Input::StickLeft, Pad::Input::StickRight};
    case Axis::LeftY:
        return {Pad::Input::StickUp, Pad::Input::StickDown};
    case Axis::LeftTrigger:
        return {std::nullopt, Pad::Input::LeftTrigger};
    case Axis::RightTrigger:
        return {std::nullopt, Pad::Input::RightTrigger};
    }
    return {};
}

std::vector<AxisButtons::Change> AxisButtons::set(Axis axis, int value) {
    std::vector<Change> changes;
    State& s = state(axis);
    const auto [negativeInput, positiveInput] = inputsOf(axis);
    const auto update = [&](bool& held, bool towards, const std::optional<Pad::Input>& input) {
        const bool now = held ? (towards && std::abs(value) >= kReleaseAt)
                              : (towards && std::abs(value) > kPressAt);
        if (now != held && input)
            changes.push_back({*input, now});
        held = now;
    };
    // Letting go of one side comes before pressing the other, as a hand does.
    if (value >= 0) {
        update(s.negative, false, negativeInput);
        update(s.positive, true, positiveInput);
    } else {
        update(s.positive, false, positiveInput);
        update(s.negative, true, negativeInput);
    }
    return changes;
}

void AxisButtons::seed(Axis axis, int value) {
    State& s = state(axis);
    s.negative = value < -kPressAt;
    s.positive = value > kPressAt;
}
