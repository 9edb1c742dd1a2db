#include "options/OptionDefinitionReader.h"

#include "base/Ini.h"
#include "base/Numeric.h"
#include "options/OptionTable.h"

#include <algorithm>
#include <vector>

namespace {

int count(const QString& text, int whenUnreadable) {
    const std::optional<qint16> value = ToInt16(text);
    return value ? *value : whenUnreadable;
}

// The numbers 1 to numOpts whose "opt" key the section holds, in order. Only those are read:
// thousands of sections that each announce 32,767 options must not cost a lookup per
// announced key.
std::vector<int> optNumbers(const IniSnapshot& ini, const QString& section, int numOpts) {
    std::vector<int> numbers;
    for (const QString& key : ini.keyNames(section)) {
        // The lookup key is "opt" and the number in plain decimal; names arrive case-folded.
        if (key.size() < 4 || key.size() > 8 || !key.startsWith(u"opt") || key[3] == u'0')
            continue;
        bool ok = false;
        const int number = QStringView(key).sliced(3).toInt(&ok);
        if (ok && number >= 1 && number <= numOpts &&
            key == QStringLiteral("opt") + QString::number(number))
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

OptionRow rowOf(const OptionDefinition& option, const QString& category) {
    OptionRow row;
    row.Switch = option.Switch;
    row.Caption = option.Caption;
    row.Category = category;
    row.Kind = option.kindText;
    row.Default = option.Default;
    return row;
}

void readCategory(const IniSnapshot& ini, int category, OptionTable& table,
                  OptionDefinitionSink& sink) {
    const QString section = QStringLiteral("Cat") + QString::number(category);
    const QString name = ini.read(section, QStringLiteral("Name"));
    sink.beginCategory(category, name);
    const int numOpts = count(ini.read(section, QStringLiteral("numOpts")), 0);
    const QString optPrefix = QStringLiteral("opt");
    for (const int i : optNumbers(ini, section, numOpts)) {
        const QString text = ini.read(section, optPrefix + QString::number(i));
        if (text.isEmpty() || table.isFull())
            continue;
        const std::optional<OptionDefinition> option = Options::ParseOptionDefinition(text);
        if (!option)
            continue;
        sink.addOption(table.OptionCount() + 1, *option);
        table.append(rowOf(*option, name));
    }
    sink.endCategory(category);
}

} // namespace

namespace Options {

void ReadOptionDefinitions(const QString& file, OptionTable& table, OptionDefinitionSink& sink) {
    table.clear();
    const IniSnapshot ini(file);
    const int numCats = count(ini.read(QStringLiteral("General"), QStringLiteral("NumCats")), 1);
    readCategory(ini, 1, table, sink);
    for (int c = 2; c <= numCats; ++c)
        readCategory(ini, c, table, sink);
}

} // namespace Options
