// Any control definition file and emulator INI file. Input: the definition file's bytes, NUL,
// the emulator INI file's bytes. The load keeps its tables consistent (input numbers run on
// across categories, within the 16-bit limit); a save that is refused or fails leaves the file
// byte for byte as it was; a plain save reads back as the INI reader trims each value; and a
// rewrite-mode save whose headers are plain bracketed names reads back to the bindings that
// were saved, whatever they hold, and saving the file again, unchanged, gives the same bytes
// (where each value is one that the reader gives back as written: no outer blanks, no longer
// than its limit).
// The load is checked on the full tables; the saves run on the tables with each run of equal
// rows cut to two. A short definition file may announce 32,767 inputs that it never defines:
// those rows are all alike and write the same entry over and over, so saving every one of them
// shows nothing that two do not, and made the target manage a few runs a second.
#include "base/Ini.h"
#include "base/IniDocument.h"
#include "base/TextCodec.h"
#include "controls/BindingsWriter.h"
#include "controls/ControlTables.h"

#include "FuzzScratch.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

bool writeFile(const QString& file, const QByteArray& bytes) {
    QFile f(file);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void checkTables(const ControlTables& t, const IniSnapshot& defs, const QString& emulatorIni) {
    require(t.numCats >= 0 && t.CatIndex.size() == size_t(t.numCats));
    require(t.InputList.size() >= 1 && t.InputList[0].iniKey.isEmpty() &&
            t.InputList[0].binding.isEmpty());
    int next = 1;
    for (const CategoryEntry& category : t.CatIndex) {
        require(category.first == next && category.count >= 0);
        next += category.count;
    }
    require(next == int(t.InputList.size()) && t.inputCount() <= ControlTables::maxInputs);
    // Each binding is what the emulator's file holds for the input, found by the load's rule.
    const IniSnapshot bindings(emulatorIni);
    for (int c = 1; c <= t.numCats; ++c) {
        const CategoryEntry& category = t.CatIndex[size_t(c) - 1];
        const QString section = ControlDefinitions::sectionName(
            defs.read(ControlDefinitions::categorySection(c), "KeyName"));
        // Rows that share a key share its binding: each key is looked up once.
        QHash<QString, QString> bindingOf;
        for (int k = 1; k <= category.count; ++k) {
            const InputRow& row = t.InputList[size_t(category.first + k - 1)];
            auto found = bindingOf.constFind(row.iniKey);
            if (found == bindingOf.constEnd())
                found = bindingOf.insert(row.iniKey, bindings.read(section, row.iniKey + u' '));
            require(row.binding == *found);
        }
    }
}

using Expected = QHash<QPair<QString, QString>, QString>;

// What each (section, key) reads back after the entries were written in order: the last write
// to a name wins, names compared as the reader compares them.
Expected expectedAfter(const std::vector<IniEntry>& entries, bool rewrite) {
    Expected expected;
    for (const IniEntry& e : entries) {
        const QPair<QString, QString> name{IniText::trimBlanks(e.section).toCaseFolded(),
                                           IniText::trimBlanks(e.key).toCaseFolded()};
        expected[name] = rewrite ? IniResult(e.value)
                                 : IniResult(IniText::unquote(IniText::trimBlanks(e.value)));
    }
    return expected;
}

void checkReadBack(const QString& file, const Expected& expected) {
    const IniSnapshot saved(file);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        require(saved.read(it.key().first, it.key().second) == it.value());
}

bool headersArePlainNames(const IniSnapshot& defs, int numCats) {
    static const QRegularExpression header(QStringLiteral("^\\[[A-Za-z0-9 _]*\\]$"));
    for (int c = 1; c <= numCats; ++c)
        if (!header.match(defs.read(ControlDefinitions::categorySection(c), "KeyName")).hasMatch())
            return false;
    return true;
}

// Whether each value comes back from the file as it was written between quotes.
bool valuesReadBackAsWritten(const std::vector<IniEntry>& entries) {
    for (const IniEntry& e : entries) {
        const QString quoted = QStringLiteral(" \"") + e.value + u'"';
        if (IniResult(IniText::unquote(IniText::trimBlanks(quoted))) != e.value)
            return false;
    }
    return true;
}

void checkSave(const ControlTables& loaded, const IniSnapshot& defs, const QByteArray& before,
               bool rewrite) {
    const QString file = FuzzScratch::path(QStringLiteral("saved.ini"));
    if (!writeFile(file, before))
        std::abort();
    ControlTables tables = loaded;
    tables.CIniType = rewrite ? 1 : 0;
    const BindingsWriter writer(tables, defs);
    const BindingsWriter::Outcome outcome = writer.save(file);
    const bool nothing = tables.EmuIniName.isEmpty() || tables.inputCount() == 0;
    require((outcome == BindingsWriter::Outcome::NothingToSave) == nothing);
    if (outcome != BindingsWriter::Outcome::Saved) {
        require(readFile(file) == before);
        return;
    }
    // A file that is not UTF-8 is written back in Latin-1, one byte per character. When the
    // save replaced every byte that made it invalid and what is left happens to be valid
    // UTF-8 with bytes above 127, the next read decodes it as UTF-8 (the bytes decide, as
    // they must for a file with no mark of its encoding): its names no longer match the
    // Latin-1 ones written, so reading back has nothing to compare.
    const QByteArray written = readFile(file);
    require(!rewrite || written.endsWith("\r\n"));
    if (!before.isEmpty() && !IsValidUtf8(before) && IsValidUtf8(written) &&
        std::any_of(written.cbegin(), written.cend(), [](char c) { return uchar(c) > 0x7F; }))
        return;
    const std::vector<IniEntry> entries = writer.plainEntries();
    if (!rewrite) {
        checkReadBack(file, expectedAfter(entries, false));
        return;
    }
    const QByteArray& after = written;
    if (!headersArePlainNames(defs, tables.numCats))
        return;
    checkReadBack(file, expectedAfter(entries, true));
    if (!valuesReadBackAsWritten(entries))
        return;
    // The window opened again on the saved file, each binding loaded by the load's rule, and
    // saved with no capture.
    ControlTables reloaded = tables;
    const IniSnapshot saved(file);
    for (int c = 1; c <= reloaded.numCats; ++c) {
        const CategoryEntry& category = reloaded.CatIndex[size_t(c) - 1];
        const QString section = ControlDefinitions::sectionName(
            defs.read(ControlDefinitions::categorySection(c), "KeyName"));
        for (int n = category.first; n < category.first + category.count; ++n) {
            InputRow& row = reloaded.InputList[size_t(n)];
            row.binding = saved.read(section, row.iniKey + u' ');
        }
    }
    require(BindingsWriter(reloaded, defs).save(file) == BindingsWriter::Outcome::Saved);
    require(readFile(file) == after);
}

bool sameRow(const InputRow& a, const InputRow& b) {
    return a.iniKey == b.iniKey && a.caption == b.caption && a.defaultBinding == b.defaultBinding &&
           a.binding == b.binding;
}

ControlTables withRunsCut(const ControlTables& loaded) {
    ControlTables cut; // the rows are copied below, the rest as it is
    cut.EmuIniName = loaded.EmuIniName;
    cut.CIniType = loaded.CIniType;
    cut.numCats = loaded.numCats;
    cut.CatIndex = loaded.CatIndex;
    for (CategoryEntry& category : cut.CatIndex) {
        const int first = category.first;
        category.first = int(cut.InputList.size());
        int run = 0;
        for (int n = first; n < first + category.count; ++n) {
            const InputRow& row = loaded.InputList[size_t(n)];
            run = n > first && sameRow(row, loaded.InputList[size_t(n) - 1]) ? run + 1 : 0;
            if (run < 2)
                cut.InputList.push_back(row);
        }
        category.count = int(cut.InputList.size()) - category.first;
    }
    return cut;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QList<QByteArray> parts = FuzzScratch::parts(data, size, 2);
    const QString appDir = FuzzScratch::path(QStringLiteral("app"));
    FuzzScratch::write(QStringLiteral("app/dovrel/controldef.ini"), parts[0]);
    const IniSnapshot defs(FuzzScratch::path(QStringLiteral("app/dovrel/controldef.ini")));

    // iniName is a path below the application folder; names that leave it would have the
    // fuzzer read the machine's own files.
    const QString iniName = defs.read("General", "iniName");
    if (iniName.contains(u'/') || iniName.contains(QChar::Null) || iniName == u"." ||
        iniName == u"..")
        return 0;
    const QString emulatorIni = ControlDefinitions::emulatorIniFile(appDir, iniName);
    if (!iniName.isEmpty() && !writeFile(emulatorIni, parts[1]))
        return 0;

    const ControlTables tables = ControlDefinitions::ReadControlTables(appDir);
    checkTables(tables, defs, emulatorIni);
    const ControlTables saved = withRunsCut(tables);
    checkSave(saved, defs, parts[1], false);
    checkSave(saved, defs, parts[1], true);
    if (!iniName.isEmpty())
        QFile::remove(emulatorIni);
    return 0;
}
