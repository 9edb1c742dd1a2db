#include "controls/ControlTables.h"

#include "base/AppPaths.h"
#include "base/Ini.h"
#include "base/Numeric.h"

#include <QDir>
#include <QSet>

#include <algorithm>

namespace ControlDefinitions {

QString categorySection(int c) {
    return QStringLiteral("cat") + QString::number(c);
}

QString inputKey(int k) {
    return QStringLiteral("input") + QString::number(k);
}

QString sectionName(const QString& keyName) {
    QString name = keyName;
    name.remove(u'[');
    name.remove(u']');
    return name;
}

QString emulatorIniFile(const QString& appDir, const QString& emuIniName) {
    if (emuIniName.startsWith(QStringLiteral("~/")))
        return QDir::homePath() + emuIniName.mid(1);
    if (QDir::isAbsolutePath(emuIniName))
        return emuIniName;
    return appDir + QDir::separator() + emuIniName;
}

namespace {

qint16 readCount(const IniSnapshot& ini, const QString& section, const QString& key) {
    return std::max<qint16>(0, ToInt16(ini.read(section, key)).value_or(0));
}

} // namespace

ControlTables ReadControlTables(const QString& appDir) {
    // Each file is read once: a definition file announcing thousands of categories or inputs
    // must not cost one file read per key.
    const IniSnapshot defs(AppPaths::controlDefinitions(appDir));
    const QString general = QStringLiteral("General");

    ControlTables t;
    t.EmuIniName = defs.read(general, QStringLiteral("iniName"));
    t.CIniType = ToInt16(defs.read(general, QStringLiteral("CIniType"))).value_or(0);
    t.numCats = readCount(defs, general, QStringLiteral("numCats"));
    const IniSnapshot bindings(emulatorIniFile(appDir, t.EmuIniName));

    t.CatIndex.reserve(t.numCats);
    int n = 1;
    for (int c = 1; c <= t.numCats; ++c) {
        const QString section = categorySection(c);
        CategoryEntry category;
        category.name = defs.read(section, QStringLiteral("Name"));
        const QString emuSection = sectionName(defs.read(section, QStringLiteral("KeyName")));
        category.first = n;
        category.count = std::min<int>(readCount(defs, section, QStringLiteral("numInputs")),
                                       ControlTables::maxInputs - (n - 1));
        // A count may announce far more inputs than the file defines; an undefined one has
        // empty fields and the binding of the empty key, so only the defined keys are read.
        const QStringList definedKeys = defs.keyNames(section);
        const QSet<QString> defined(definedKeys.cbegin(), definedKeys.cend());
        const QString unnamedBinding = bindings.read(emuSection, QStringLiteral(" "));
        t.InputList.reserve(t.InputList.size() + size_t(category.count));
        for (int k = 1; k <= category.count; ++k, ++n) {
            const QString key = inputKey(k); // ASCII, so its folded form is its lower case
            if (!defined.contains(key)) {
                t.InputList.push_back(InputRow{{}, {}, {}, unnamedBinding});
                continue;
            }
            const QStringList fields = defs.read(section, key).split(u'|');
            InputRow row;
            row.iniKey = fields.value(0);
            row.caption = fields.value(1);
            row.defaultBinding = fields.value(2);
            // The key followed by one blank still finds the key as the emulator wrote it.
            row.binding = bindings.read(emuSection, row.iniKey + u' ');
            t.InputList.push_back(row);
        }
        t.CatIndex.push_back(category);
    }
    return t;
}

} // namespace ControlDefinitions
