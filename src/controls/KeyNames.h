#pragma once

#include <QString>

// The name of a key or mouse button by its virtual-key code, from section "ScanCodes" of the
// key name file. A value "Left Shift|Right Shift" holds the left-hand and right-hand names;
// the second is used only while the right-hand key is down (rightHandState below -1).
// A code without a name is "unknown:" and the code.
QString ScanCodeName(const QString& keyNamesFile, qint16 code, qint16 rightHandState);

namespace KeyNames {
// The name that makes a capture restore the input's default binding.
inline const QString restoreDefault = QStringLiteral("Escape");
} // namespace KeyNames
