// Any bytes as the option definition file. The reader must finish, announce category 1 and
// then categories 2 to NumCats in order, ask for each accepted option's controls with the row
// number that its table row then gets, and keep the table within its 16-bit row limit.
#include "base/Ini.h"
#include "base/Numeric.h"
#include "options/OptionDefinitionReader.h"
#include "options/OptionTable.h"

#include "FuzzScratch.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

class CheckingSink final : public OptionDefinitionSink {
public:
    explicit CheckingSink(const OptionTable& table) : m_table(table) {}

    void beginCategory(int category, const QString& name) override {
        require(!m_open && category == m_categories + 1);
        m_open = true;
        m_name = name;
        ++m_categories;
    }
    void addOption(int row, const OptionDefinition& option) override {
        checkPendingRow();
        require(m_open && row == m_table.OptionCount() + 1 && row == m_options + 1);
        require(row <= OptionTable::MaxRows);
        m_pending = option;
        ++m_options;
    }
    void endCategory(int category) override {
        checkPendingRow();
        require(m_open && category == m_categories);
        m_open = false;
    }

    int categories() const { return m_categories; }
    int options() const { return m_options; }
    bool open() const { return m_open; }

private:
    // The row appended after the last addOption holds what that option's controls were made
    // from; checked once the reader has moved on.
    void checkPendingRow() {
        if (!m_pending)
            return;
        require(m_table.OptionCount() == m_options);
        const OptionRow& row = m_table.row(m_options);
        require(row.Switch == m_pending->Switch && row.Caption == m_pending->Caption &&
                row.Kind == m_pending->kindText && row.Default == m_pending->Default &&
                row.Category == m_name && row.DefaultProfileValue.isEmpty() &&
                row.GameValue.isEmpty());
        m_pending.reset();
    }

    const OptionTable& m_table;
    bool m_open = false;
    int m_categories = 0;
    int m_options = 0;
    QString m_name;
    std::optional<OptionDefinition> m_pending;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzScratch::write(QStringLiteral("cfgdef.ini"),
                       QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    const QString file = FuzzScratch::path(QStringLiteral("cfgdef.ini"));

    OptionTable table;
    OptionRow stale;
    stale.Switch = QStringLiteral("stale");
    table.append(stale); // the reader starts from an empty table
    CheckingSink checks(table);
    Options::ReadOptionDefinitions(file, table, checks);

    require(!checks.open() && checks.options() == table.OptionCount());
    const std::optional<qint16> numCats = ToInt16(ReadIni(file, "General", "NumCats"));
    require(checks.categories() == std::max(1, int(numCats.value_or(1))));
    for (int r = 1; r <= table.OptionCount(); ++r) {
        const QString& kind = table.row(r).Kind;
        require(kind == u"0" || kind == u"1" || kind == u"2");
    }
    return 0;
}
