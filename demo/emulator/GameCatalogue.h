#pragma once

#include <QByteArray>

// The games the demo emulator pretends to support, and the text it prints for its list
// command: a short banner, a header line, then one game per line with the ROM name padded to
// a fixed column. Front-ends cut this text by line index and column width, so the layout is
// part of the emulator's interface and must only change together with dovrel/dovrel.ini.
class GameCatalogue {
public:
    // Width of the ROM-name column, padding included; a blank follows it before the
    // description, so that a name filling the whole column stays readable.
    static constexpr int RomColumnWidth = 9;

    // The complete list output, UTF-8, each line ended by LF.
    static QByteArray listing();
};
