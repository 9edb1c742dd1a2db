#pragma once

#include "GameEntry.h"

#include <QList>
#include <QString>
#include <QStringView>

// The emulator's list output (its decoded text) cut into the help text and the games. Line indexes count from 0:
// lines 0 to startLine are the head (no games), lines 0 to helpEnd of the head are the help
// text, and each further non-empty line is one game with its ROM name in the first romLen
// characters.
struct GameListOutput {
    enum class Outcome {
        Parsed,
        TooShort, // fewer than startLine + 1 lines
        Unusable, // a game line with a negative ROM-name width
    };
    Outcome outcome = Outcome::Parsed;
    QString helpText; // each help line followed by CR LF
    QList<GameEntry> games;
};

// The ROM name is the column with its blanks removed. The description is the rest of the line
// after the column, blanks removed: removing the ROM name wherever it occurs would damage
// titles such as "1942 (Revision B)" for ROM "1942".
GameListOutput ParseGameListOutput(QStringView text, qint16 startLine, double helpEnd,
                                   qint16 romLen);
