#pragma once

#include "controllers/PadInput.h"

// The one table from a controller's inputs to the window's actions.
namespace PadMapping {

Pad::Action actionFor(Pad::Input input);
// Moves repeat while their input is held, as a held key does; everything else acts once.
bool repeats(Pad::Action action);

} // namespace PadMapping
