#include "GameListOutput.h"

#include "TextLines.h"

GameListOutput ParseGameListOutput(QStringView text, qint16 startLine, double helpEnd,
                                   qint16 romLen) {
    GameListOutput out;
    TextLineReader reader(text);
    QStringView line;
    QString help;
    for (qsizetype i = 0; i <= startLine; ++i) {
        if (!reader.next(line)) {
            out.outcome = GameListOutput::Outcome::TooShort;
            return out;
        }
        if (static_cast<double>(i) < helpEnd + 1) {
            help += line;
            help += QStringLiteral("\r\n");
        }
    }
    out.helpText = help;

    // Roughly one game per 40 characters; a guess that spares most regrowth of the list.
    out.games.reserve(text.size() / 40);
    while (reader.next(line)) {
        if (line.isEmpty())
            continue;
        if (romLen < 0) {
            out.outcome = GameListOutput::Outcome::Unusable;
            out.games.clear();
            return out;
        }
        out.games.append({TrimBlanks(LeftChars(line, romLen)).toString(),
                          TrimBlanks(AfterChars(line, romLen)).toString()});
    }
    return out;
}
