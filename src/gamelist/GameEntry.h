#pragma once

#include <QString>

// One game of the list: the ROM name the emulator knows it by, and the text the list shows.
struct GameEntry {
    QString rom;
    QString description;

    friend bool operator==(const GameEntry&, const GameEntry&) = default;
};
