#include "controls/KeyScan.h"

namespace {

int rightHandCode(int code) {
    switch (code) {
    case VirtualKey::Shift:
        return VirtualKey::RightShift;
    case VirtualKey::Control:
        return VirtualKey::RightControl;
    case VirtualKey::Alt:
        return VirtualKey::RightAlt;
    default:
        return 0;
    }
}

} // namespace

std::optional<ScanHit> ScanKeyStates(const KeyStateTable& keys) {
    for (int code = VirtualKey::first; code <= VirtualKey::last; ++code) {
        const qint16 s = keys.state(code);
        if (s == 0 || s == 1)
            continue;
        const int right = rightHandCode(code);
        return ScanHit{code, right ? keys.state(right) : qint16(0)};
    }
    return std::nullopt;
}
