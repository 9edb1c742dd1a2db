#pragma once

#include "gamelist/GameEntry.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

// How a game line splits into ROM name and description, beyond the fixed column: both off
// unless the settings ask for them.
struct ListLayout {
    bool nameEndsAtBlank = false;    // the name ends at its first blank, however long it is
    bool unquoteDescription = false; // one pair of double quotes around a description goes
    // The fields that follow a game line's first tab (see GameDetails); none: a tab is part of
    // the description.
    QStringList detailFields = {};
    bool hasDetails() const { return !detailFields.isEmpty(); }
};

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
// With nameEndsAtBlank the name is the line up to its first blank (a space) and the
// description what follows the blanks after it; romLen is not used then.
GameListOutput ParseGameListOutput(QStringView text, qint16 startLine, double helpEnd,
                                   qint16 romLen, ListLayout layout = {});

// The same cut, handing each game's ROM name and description to onGame as views into the text,
// in list order, so that 50,000 games cost no string each. Sets helpText; onGame is never
// called when the outcome is not Parsed.
GameListOutput::Outcome CutGameListOutput(
    QStringView text, qint16 startLine, double helpEnd, qint16 romLen, QString& helpText,
    const std::function<void(QStringView rom, QStringView description)>& onGame,
    ListLayout layout = {});

// The same cut handing on, with details, the text after each game line's first tab (the line
// before it cut as always); an empty view without them.
GameListOutput::Outcome CutGameListOutput(
    QStringView text, qint16 startLine, double helpEnd, qint16 romLen, QString& helpText,
    const std::function<void(QStringView rom, QStringView description, QStringView details)>&
        onGame,
    ListLayout layout);

// The same cut on the bytes of an output that is valid UTF-8 (its byte-order mark removed),
// characters counted as code points, so that the cache can be built from the emulator's own
// bytes without decoding them: the views handed on are the UTF-8 of the text cut's views.
GameListOutput::Outcome CutGameListOutputUtf8(
    QByteArrayView utf8, qint16 startLine, double helpEnd, qint16 romLen, QString& helpText,
    const std::function<void(QByteArrayView rom, QByteArrayView description)>& onGame,
    ListLayout layout = {});
GameListOutput::Outcome CutGameListOutputUtf8(
    QByteArrayView utf8, qint16 startLine, double helpEnd, qint16 romLen, QString& helpText,
    const std::function<void(QByteArrayView rom, QByteArrayView description,
                             QByteArrayView details)>& onGame,
    ListLayout layout);
