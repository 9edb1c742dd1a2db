#pragma once

#include "controls/KeyStateTable.h"

#include <optional>

// The key a capture takes and the state of the right-hand key of its pair, which picks the
// key's second name.
struct ScanHit {
    int code = 0;
    qint16 rightHandState = 0;
};

// One scan of codes 1-255 in ascending order; the first code that is down wins. So mouse
// buttons come before keyboard keys, and the either-hand Shift, Control and Alt codes before
// their left- and right-hand codes.
//
// Only a key that is down counts. The lock keys are no exception: their toggle state stands
// for the keyboard light, not for a press, and counting it would make every capture return
// Num Lock at once on a keyboard where Num Lock is on.
std::optional<ScanHit> ScanKeyStates(const KeyStateTable& keys);
