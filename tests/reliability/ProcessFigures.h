#pragma once

#include <QtGlobal>

// What the soak watches of the running test process (Linux: from /proc).
struct ProcessFigures {
    qint64 residentBytes = 0; // resident memory, /proc/self/statm
    int openDescriptors = 0;  // entries of /proc/self/fd
    int children = 0;         // processes whose parent is this one, zombies included

    static ProcessFigures now();
};
