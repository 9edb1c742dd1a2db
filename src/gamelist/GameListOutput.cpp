#include "gamelist/GameListOutput.h"

#include "gamelist/TextLines.h"

#include <QStringDecoder>

namespace {

// The line's name up to its first blank, and the description after the blanks that follow
// (blanks are spaces, as everywhere in the list).
template <class View> std::pair<View, View> splitAtBlank(View line) {
    qsizetype end = 0;
    while (end < line.size() && line[end] != u' ')
        ++end;
    return {line.first(end), TrimBlanks(line.sliced(end))};
}

qsizetype firstTab(QStringView line) {
    return line.indexOf(u'\t');
}
qsizetype firstTab(QByteArrayView line) {
    return line.indexOf('\t');
}

template <class View> View unquoted(View description) {
    if (description.size() >= 2 && description.front() == u'"' && description.back() == u'"')
        return description.sliced(1, description.size() - 2);
    return description;
}

// The cut itself, alike for decoded text and for UTF-8 bytes.
template <class View, class HelpLine, class Game>
GameListOutput::Outcome cut(View text, qint16 startLine, double helpEnd, qint16 romLen,
                            ListLayout layout, HelpLine&& onHelpLine, Game&& onGame) {
    BasicLineReader<View> reader(text);
    View line;
    for (qsizetype i = 0; i <= startLine; ++i) {
        if (!reader.next(line))
            return GameListOutput::Outcome::TooShort;
        if (static_cast<double>(i) < helpEnd + 1)
            onHelpLine(line);
    }
    while (reader.next(line)) {
        if (line.isEmpty())
            continue;
        // The width is the same for every line, so the first game line decides before any
        // game has been handed on.
        if (romLen < 0 && !layout.nameEndsAtBlank)
            return GameListOutput::Outcome::Unusable;
        View details;
        if (layout.hasDetails()) {
            const qsizetype tab = firstTab(line);
            if (tab >= 0) {
                details = line.sliced(tab + 1);
                line = line.first(tab);
            }
        }
        auto [rom, description] =
            layout.nameEndsAtBlank
                ? splitAtBlank(line)
                : std::pair{TrimBlanks(LeftChars(line, romLen)),
                            TrimBlanks(AfterChars(line, romLen))};
        onGame(rom, layout.unquoteDescription ? unquoted(description) : description, details);
    }
    return GameListOutput::Outcome::Parsed;
}

} // namespace

GameListOutput::Outcome CutGameListOutput(
    QStringView text, qint16 startLine, double helpEnd, qint16 romLen, QString& helpText,
    const std::function<void(QStringView rom, QStringView description)>& onGame,
    ListLayout layout) {
    return CutGameListOutput(
        text, startLine, helpEnd, romLen, helpText,
        [&onGame](QStringView rom, QStringView description, QStringView) {
            onGame(rom, description);
        },
        layout);
}

GameListOutput::Outcome CutGameListOutput(
    QStringView text, qint16 startLine, double helpEnd, qint16 romLen, QString& helpText,
    const std::function<void(QStringView rom, QStringView description, QStringView details)>&
        onGame,
    ListLayout layout) {
    helpText.clear();
    return cut(
        text, startLine, helpEnd, romLen, layout,
        [&helpText](QStringView line) {
            helpText += line;
            helpText += QStringLiteral("\r\n");
        },
        onGame);
}

GameListOutput::Outcome CutGameListOutputUtf8(
    QByteArrayView utf8, qint16 startLine, double helpEnd, qint16 romLen, QString& helpText,
    const std::function<void(QByteArrayView rom, QByteArrayView description)>& onGame,
    ListLayout layout) {
    return CutGameListOutputUtf8(
        utf8, startLine, helpEnd, romLen, helpText,
        [&onGame](QByteArrayView rom, QByteArrayView description, QByteArrayView) {
            onGame(rom, description);
        },
        layout);
}

GameListOutput::Outcome CutGameListOutputUtf8(
    QByteArrayView utf8, qint16 startLine, double helpEnd, qint16 romLen, QString& helpText,
    const std::function<void(QByteArrayView rom, QByteArrayView description,
                             QByteArrayView details)>& onGame,
    ListLayout layout) {
    helpText.clear();
    // Line by line, each line decoded alone, as it stands in the whole decoded text: a U+FEFF
    // that begins a line is kept.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                       QStringConverter::Flag::ConvertInitialBom);
    return cut(
        utf8, startLine, helpEnd, romLen, layout,
        [&](QByteArrayView line) {
            helpText += QString(decoder.decode(line));
            helpText += QStringLiteral("\r\n");
        },
        onGame);
}

GameListOutput ParseGameListOutput(QStringView text, qint16 startLine, double helpEnd,
                                   qint16 romLen, ListLayout layout) {
    GameListOutput out;
    // Roughly one game per 40 characters; a guess that spares most regrowth of the list.
    out.games.reserve(text.size() / 40);
    out.outcome = CutGameListOutput(text, startLine, helpEnd, romLen, out.helpText,
                                    [&out](QStringView rom, QStringView description) {
                                        out.games.append({rom.toString(), description.toString()});
                                    },
                                    layout);
    if (out.outcome == GameListOutput::Outcome::TooShort)
        out.helpText.clear();
    return out;
}
