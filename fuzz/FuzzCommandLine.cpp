// Any text as a command line, and any ROM name and option string as a launch composes them.
// Input: ROM name, NUL, option string (UTF-8). Splitting never invents or drops a character
// other than blanks and grouping quotes, so shell syntax reaches the program as text; without
// quotes it is plain splitting at blanks; and the launch's ROM argument, quoted or bare, is one
// argument of its own holding the name as it stands, followed by the options' own words.
#include "base/Settings.h"
#include "launch/CommandLine.h"
#include "launch/LaunchEmulator.h"

#include "FuzzScratch.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

QString withoutBlanksAndQuotes(const QString& text) {
    QString out;
    for (QChar c : text)
        if (!c.isSpace() && c != u'"')
            out += c;
    return out;
}

QStringList splitAtBlanks(const QString& text) {
    QStringList words;
    QString word;
    for (QChar c : text) {
        if (c.isSpace()) {
            if (!word.isEmpty())
                words.append(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.isEmpty())
        words.append(word);
    return words;
}

void checkSplit(const QString& line) {
    const QStringList words = SplitCommandLine(line);
    for (const QString& word : words)
        require(!word.isEmpty());
    require(withoutBlanksAndQuotes(words.join(QString())) == withoutBlanksAndQuotes(line));
    if (!line.contains(u'"'))
        require(words == splitAtBlanks(line));
}

void checkLaunch(const QString& rom, const QString& options, bool quoted, bool withPath) {
    FrontEndSettings settings;
    settings.ExeName = QStringLiteral("emu");
    settings.RomPath = withPath ? QStringLiteral("/roms/") : QString();
    settings.RomExt = withPath ? QStringLiteral(".zip") : QString();
    settings.SendRomPath = quoted ? 1 : 0;
    settings.RomPathinQuotes = quoted ? 1 : 0;
    const QStringList words = SplitCommandLine(
        ComposeCommandLine(settings.ExeName, LaunchArgumentText(settings, rom, options)));
    const QString romArgument = quoted ? settings.RomPath + rom + settings.RomExt : rom;
    require(words.value(0) == settings.ExeName);
    require(words.value(1) == romArgument);
    require(words.mid(2) == SplitCommandLine(options));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> parts = FuzzScratch::parts(data, size, 2);
    const QString rom = QString::fromUtf8(parts[0]);
    const QString options = QString::fromUtf8(parts[1]);
    checkSplit(rom);
    checkSplit(options);
    // Quoted, the ROM argument is one argument whatever the name holds (an empty one is no
    // argument at all); bare, a name without blanks is.
    checkLaunch(rom, options, true, true);
    if (!rom.isEmpty()) {
        checkLaunch(rom, options, true, false);
        if (splitAtBlanks(rom) == QStringList{rom})
            checkLaunch(rom, options, false, false);
    }
    return 0;
}
