#include "gamelist/GameListOutput.h"
#include "gamelist/TextLines.h"

#include <QtTest>

using Outcome = GameListOutput::Outcome;
Q_DECLARE_METATYPE(QList<GameEntry>)

namespace {

// The output text that holds exactly these lines, each ended by a line end.
QString textOf(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + u'\n';
    return text;
}

QString render(const QList<GameEntry>& games) {
    QStringList lines;
    for (const GameEntry& g : games)
        lines << g.rom + u'|' + g.description;
    return lines.join(u'\n');
}

} // namespace

class tst_GameListOutput : public QObject {
    Q_OBJECT
private slots:
    void splitLines_data();
    void splitLines();
    void decode_data();
    void decode();
    void games_data();
    void games();
    void head_data();
    void head();
    void tooShort_data();
    void tooShort();
    void negativeRomLen();
    void layouts_data();
    void layouts();
    void utf8CutMatchesTextCut_data();
    void utf8CutMatchesTextCut();
};

void tst_GameListOutput::splitLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("CR LF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("LF, no final end") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("lone CR") << "a\rb\r" << QStringList{"a", "b"};
    QTest::newRow("mixed with empty lines") << "a\r\n\n\r\rb" << QStringList{"a", "", "", "", "b"};
    QTest::newRow("only a line end") << "\n" << QStringList{""};
}

void tst_GameListOutput::splitLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QStringList read;
    TextLineReader reader(text);
    for (QStringView line; reader.next(line);)
        read << line.toString();
    QCOMPARE(read, lines);
}

void tst_GameListOutput::decode_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("UTF-8") << QByteArray("Caf\xc3\xa9") << QString::fromUtf8("Caf\xc3\xa9");
    QTest::newRow("BOM dropped") << QByteArray("\xEF\xBB\xBFname") << "name";
    QTest::newRow("Latin-1 keeps each byte") << QByteArray("Caf\xe9 \xff") << QString::fromLatin1("Caf\xe9 \xff");
}

void tst_GameListOutput::decode() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(DecodeText(bytes), text);
}

void tst_GameListOutput::games_data() {
    QTest::addColumn<QStringList>("gameLines");
    QTest::addColumn<int>("romLen");
    QTest::addColumn<QString>("cache");
    QTest::newRow("three letters, five blanks, two words")
        << QStringList{"abc     two words"} << 8 << "abc|two words";
    QTest::newRow("description keeps the ROM name (1942)")
        << QStringList{"1942      1942 (Revision B)"} << 9 << "1942|1942 (Revision B)";
    QTest::newRow("ROM name inside a longer word stays")
        << QStringList{"pacman    Super pacman deluxe"} << 9 << "pacman|Super pacman deluxe";
    QTest::newRow("name filling the column")
        << QStringList{"bigbattle Big Battle"} << 9 << "bigbattle|Big Battle";
    QTest::newRow("column cuts into the description")
        << QStringList{"ab Tetris"} << 4 << "ab T|etris";
    QTest::newRow("empty line gives no game")
        << QStringList{"a  One", "", "b  Two"} << 3 << "a|One\nb|Two";
    QTest::newRow("line of blanks gives a bare bar") << QStringList{"     "} << 3 << "|";
    QTest::newRow("line shorter than the column")
        << QStringList{"  tron"} << 9 << "tron|";
    QTest::newRow("tabs are not blanks") << QStringList{"\tx  \tDesc\t"} << 3 << "\tx|\tDesc\t";
    QTest::newRow("column 0: no name") << QStringList{"  Whole line  "} << 0 << "|Whole line";
    QTest::newRow("characters, not code units")
        << QStringList{QString::fromUtf8("\xf0\x9f\x8e\xae" "ab Game")} << 3
        << QString::fromUtf8("\xf0\x9f\x8e\xae" "ab|Game");
}

void tst_GameListOutput::games() {
    QFETCH(QStringList, gameLines);
    QFETCH(int, romLen);
    QFETCH(QString, cache);
    const QStringList lines = QStringList{"help", "Name Description"} + gameLines;
    const GameListOutput out = ParseGameListOutput(textOf(lines), 1, 0, qint16(romLen));
    QCOMPARE(out.outcome, Outcome::Parsed);
    QCOMPARE(render(out.games), cache);
}

void tst_GameListOutput::layouts_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("nameEndsAtBlank");
    QTest::addColumn<bool>("unquote");
    QTest::addColumn<QString>("cache");
    // MAME's -listfull: a 17-character name column that longer names overrun, and quotes.
    const QString pong = "pong              \"Pong (Rev E) [TTL]\"";
    const QString longName = "elan_eu3a05commonsys \"Elan EU3A05 Common\"";
    QTest::newRow("column, quotes kept") << pong << false << false << "pong|\"Pong (Rev E) [TTL]\"";
    QTest::newRow("column cuts a long name") << longName << false << true
                                             << "elan_eu3a05commons|ys \"Elan EU3A05 Common\"";
    QTest::newRow("name to the first blank") << longName << true << false
                                             << "elan_eu3a05commonsys|\"Elan EU3A05 Common\"";
    QTest::newRow("both") << pong << true << true << "pong|Pong (Rev E) [TTL]";
    QTest::newRow("tabs are not blanks here either")
        << "sky\tBeneath a Steel Sky" << true << false << "sky\tBeneath|a Steel Sky";
    QTest::newRow("one pair only") << "x  \"\"Quoted\"\"" << true << true << "x|\"Quoted\"";
    QTest::newRow("a lone quote stays") << "x  \"" << true << true << "x|\"";
    QTest::newRow("name only") << "solo" << true << true << "solo|";
}

void tst_GameListOutput::layouts() {
    QFETCH(QString, line);
    QFETCH(bool, nameEndsAtBlank);
    QFETCH(bool, unquote);
    QFETCH(QString, cache);
    const ListLayout layout{nameEndsAtBlank, unquote};
    const QString text = textOf({"Name:             Description:", line});
    const GameListOutput out = ParseGameListOutput(text, 0, -1, 18, layout);
    QCOMPARE(out.outcome, Outcome::Parsed);
    QCOMPARE(render(out.games), cache);
    // The cut of the emulator's own bytes gives the same.
    QString help;
    QList<GameEntry> games;
    const QByteArray utf8 = text.toUtf8();
    CutGameListOutputUtf8(
        utf8, 0, -1, 18, help,
        [&games](QByteArrayView rom, QByteArrayView description) {
            games.append({QString::fromUtf8(rom), QString::fromUtf8(description)});
        },
        layout);
    QCOMPARE(render(games), cache);
}

void tst_GameListOutput::head_data() {
    QTest::addColumn<int>("startLine");
    QTest::addColumn<double>("helpEnd");
    QTest::addColumn<QString>("helpText");
    QTest::addColumn<QString>("firstGame");
    QTest::newRow("StartLine 2, HelpEnd 0") << 2 << 0.0 << "L0\r\n" << "L3";
    QTest::newRow("HelpEnd past StartLine") << 1 << 5.0 << "L0\r\nL1\r\n" << "L2";
    QTest::newRow("HelpEnd -1: no help") << 2 << -1.0 << "" << "L3";
    QTest::newRow("HelpEnd 0.5 still takes line 1") << 3 << 0.5 << "L0\r\nL1\r\n" << "L4";
    QTest::newRow("negative StartLine: no head") << -3 << 2.0 << "" << "L0";
}

void tst_GameListOutput::head() {
    QFETCH(int, startLine);
    QFETCH(double, helpEnd);
    QFETCH(QString, helpText);
    QFETCH(QString, firstGame);
    const QStringList lines{"L0", "L1", "L2", "L3", "L4", "L5"};
    const GameListOutput out = ParseGameListOutput(textOf(lines), qint16(startLine), helpEnd, 9);
    QCOMPARE(out.outcome, Outcome::Parsed);
    QCOMPARE(out.helpText, helpText);
    QVERIFY(!out.games.isEmpty());
    QCOMPARE(out.games.first().rom, firstGame);
    QCOMPARE(out.games.size(), lines.size() - qMax(0, startLine + 1));
}

void tst_GameListOutput::tooShort_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("startLine");
    QTest::addColumn<bool>("empty");
    QTest::newRow("empty output") << QStringList{} << 0 << true;
    QTest::newRow("StartLine lines only") << QStringList{"a", "b", "c"} << 3 << true;
    QTest::newRow("exactly StartLine + 1 lines: no games, no error")
        << QStringList{"a", "b", "c", "d"} << 3 << false;
    QTest::newRow("negative StartLine with empty output") << QStringList{} << -1 << false;
}

void tst_GameListOutput::tooShort() {
    QFETCH(QStringList, lines);
    QFETCH(int, startLine);
    QFETCH(bool, empty);
    const GameListOutput out = ParseGameListOutput(textOf(lines), qint16(startLine), 0, 9);
    QCOMPARE(out.outcome, empty ? Outcome::TooShort : Outcome::Parsed);
    QVERIFY(out.games.isEmpty());
}

void tst_GameListOutput::negativeRomLen() {
    // Only a game line needs the column, so a list with no games is still fine.
    QCOMPARE(ParseGameListOutput(textOf({"head", "", ""}), 0, 0, -1).outcome, Outcome::Parsed);
    QCOMPARE(ParseGameListOutput(textOf({"head", "", "game"}), 0, 0, -1).outcome, Outcome::Unusable);
}

void tst_GameListOutput::utf8CutMatchesTextCut_data() {
    QTest::addColumn<QByteArray>("output"); // valid UTF-8
    QTest::addColumn<int>("startLine");
    QTest::addColumn<double>("helpEnd");
    QTest::addColumn<int>("romLen");
    const QByteArray listing = "Demo 1.0\r\nUsage\r\n\r\nName     Description\r\n"
                               "pacman   Pac-Man\r\n1942     1942 (Revision B)\r\n";
    QTest::newRow("a listing") << listing << 3 << 1.0 << 9;
    QTest::newRow("LF and lone CR") << QByteArray("h\nx\ra  A\n\rb  B") << 0 << 0.0 << 3;
    QTest::newRow("byte-order mark") << "\xEF\xBB\xBF" + listing << 3 << 1.0 << 9;
    QTest::newRow("U+FEFF that begins the first ROM name")
        << QByteArray("head\n\xEF\xBB\xBFrom  Game\n") << 0 << 0.0 << 6;
    QTest::newRow("U+FEFF that begins a help line")
        << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFhelp\nx\ngame\n") << 1 << 1.0 << 2;
    QTest::newRow("characters of two, three and four bytes in the column")
        << QByteArray("h\n\xC3\xA9\xE4\xB8\xAD\xF0\x9D\x84\x9Ez Desc \xC3\xA9\n") << 0 << 0.0 << 3;
    QTest::newRow("lines shorter than the column, blank lines, empty lines")
        << QByteArray("h\nab\n   \n\n  x    y  \n") << 0 << 0.0 << 4;
    QTest::newRow("help past the head, fractional") << listing << 1 << 2.5 << 9;
    QTest::newRow("negative start line") << listing << -2 << 0.0 << 5;
    QTest::newRow("too short") << QByteArray("a\nb\n") << 5 << 1.0 << 9;
    QTest::newRow("negative column with a game") << listing << 3 << 1.0 << -1;
    QTest::newRow("negative column, no game") << QByteArray("a\n\n\n") << 0 << 0.0 << -1;
    QTest::newRow("empty output") << QByteArray() << 0 << 0.0 << 9;
}

void tst_GameListOutput::utf8CutMatchesTextCut() {
    QFETCH(QByteArray, output);
    QFETCH(int, startLine);
    QFETCH(double, helpEnd);
    QFETCH(int, romLen);
    QVERIFY(IsValidUtf8(output));
    QByteArrayView utf8(output);
    if (utf8.startsWith("\xEF\xBB\xBF"))
        utf8 = utf8.sliced(3);

    QString textHelp, bytesHelp;
    QList<QByteArray> fromText, fromBytes;
    const Outcome textOutcome = CutGameListOutput(
        DecodeText(output), qint16(startLine), helpEnd, qint16(romLen), textHelp,
        [&](QStringView rom, QStringView description) {
            fromText << rom.toUtf8() << description.toUtf8();
        });
    const Outcome bytesOutcome = CutGameListOutputUtf8(
        utf8, qint16(startLine), helpEnd, qint16(romLen), bytesHelp,
        [&](QByteArrayView rom, QByteArrayView description) {
            fromBytes << rom.toByteArray() << description.toByteArray();
        });
    QCOMPARE(bytesOutcome, textOutcome);
    if (textOutcome != Outcome::TooShort)
        QCOMPARE(bytesHelp, textHelp);
    QCOMPARE(fromBytes, fromText);
    // And the parse that the tests above pin down agrees with the cut.
    const GameListOutput parsed =
        ParseGameListOutput(DecodeText(output), qint16(startLine), helpEnd, qint16(romLen));
    QCOMPARE(parsed.outcome, textOutcome);
    QCOMPARE(parsed.games.size() * 2, fromText.size());
}

QTEST_GUILESS_MAIN(tst_GameListOutput)
#include "tst_GameListOutput.moc"
