#pragma once

#include "base/Ini.h"
#include "controls/ControlTables.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// Writes the bindings of every defined input back into the emulator's INI file, in one of two
// dialects. Plain mode updates the file in place with bare values and keeps everything else.
// Rewrite mode makes the file hold exactly the defined bindings in the emulator's own syntax:
// the headers as KeyName spells them, and entries such as: up = "Up Arrow".
class BindingsWriter {
public:
    enum class Outcome {
        Saved,
        NothingToSave, // no iniName, or no input defined: the file is left as it is
        Failed,        // the file could not be written; it is left as it was
    };

    // The category headers are read again from the definition file, as the emulator may
    // spell them differently from how they were when the window opened.
    BindingsWriter(const ControlTables& tables, const IniSnapshot& definitions);

    // The bound value of input n: its binding, or its default when it has none.
    QString valueOf(int n) const;

    // Plain mode: one (section, key, value) per input, in category and input order.
    std::vector<IniEntry> plainEntries() const;

    // Rewrite mode: the whole new file, replacing `before` (the file's bytes now, empty for
    // none). The bytes are those that deleting the file, writing each entry as `K ` = ` "V"`
    // with the INI writer, and then the text pass would leave: lines joined by CR LF, each
    // header line put back as KeyName spells it, the "=" after each key made " =", one CR LF
    // at the end. Values are left as written, so each reads back as itself and a second save
    // gives the same bytes. A file that is not UTF-8 stays 8-bit (Latin-1, byte for byte); a
    // UTF-8 byte-order mark stays. nullopt when the INI writer would refuse an entry, or a
    // character has no byte in an 8-bit file.
    std::optional<QByteArray> rewriteBytes(const QByteArray& before = {}) const;

    Outcome save(const QString& emulatorIniFile) const;

private:
    QString keyNameOf(int c) const; // KeyName of category c as the file gives it now

    const ControlTables& m_tables;
    const IniSnapshot& m_definitions;
};
