#pragma once

#include <QString>

#include <vector>

// One bindable input: its key in the emulator's INI file, the caption of its row, the binding
// used while it has none of its own, and the binding read from the file or captured since.
struct InputRow {
    QString iniKey;         // InputList column 0
    QString caption;        // InputList column 1
    QString defaultBinding; // InputList column 2
    QString binding;        // InputList column 3, empty when the input has no binding
};

// One category of inputs as the view and the save walk it.
struct CategoryEntry {
    QString name;  // shown in the category list
    int first = 1; // input number of the category's first input
    int count = 0; // its input count
};

// The tables the control-assignment window loads from the control definition file and the
// emulator's input file, and saves back from.
struct ControlTables {
    QString EmuIniName;
    qint16 CIniType = 0;
    qint16 numCats = 0;
    std::vector<CategoryEntry> CatIndex; // element c - 1 is category c
    // Element n is input number n; element 0 stays empty, as every load starts with one row.
    std::vector<InputRow> InputList = std::vector<InputRow>(1);

    // Input numbers are 16-bit, so no definition file can ask for more inputs than this.
    static constexpr int maxInputs = 32767;

    bool isRewriteMode() const { return CIniType == 1; }
    int inputCount() const { return int(InputList.size()) - 1; }
};

namespace ControlDefinitions {

// "cat" c and "input" k, the definition file's section and key names.
QString categorySection(int c);
QString inputKey(int k);

// A KeyName header with every bracket removed, inner and outer blanks kept.
QString sectionName(const QString& keyName);

// Where the bindings live: the application folder, a separator, then iniName as written. An
// iniName that is an absolute path, or starts with "~/" (the home folder, where emulators keep
// these files), is used as that path instead.
QString emulatorIniFile(const QString& appDir, const QString& emuIniName);

// Reads the definitions and the current bindings. Counts that are missing, not numbers or
// negative count as 0; definitions with fewer than three fields have empty missing fields.
ControlTables ReadControlTables(const QString& appDir);

} // namespace ControlDefinitions
