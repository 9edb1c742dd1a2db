#pragma once

#include "controllers/AxisButtons.h"
#include "controllers/PadInput.h"

#include <optional>

// SDL's game controller buttons and axes as the window's inputs. The right stick, the
// paddles and the touchpad button stay with the emulators.
namespace SdlInputs {

std::optional<Pad::Input> forButton(int sdlButton);
std::optional<AxisButtons::Axis> forAxis(int sdlAxis);

} // namespace SdlInputs
