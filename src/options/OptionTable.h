#pragma once

#include "options/OptionDefinition.h"

#include <QString>

#include <optional>
#include <vector>

// One accepted option: the seven columns of the option table. The first five come from the
// definition file; the last two hold the values the profile code loaded last.
struct OptionRow {
    QString Switch;
    QString Caption;
    QString Category;
    QString Kind;
    QString Default;
    QString DefaultProfileValue;
    QString GameValue;

    // The kind that the Kind text names; nullopt for a text that names none.
    std::optional<OptionKind> kind() const { return Options::KindFromText(Kind); }
};

// The option table: one row per accepted option definition, numbered from 1 in definition order.
// Row r owns the panel controls with index r, so every reader finds an option's controls by
// its row number alone.
class OptionTable {
public:
    enum class Column { Switch, Caption, Category, Kind, Default, DefaultProfileValue, GameValue };
    static constexpr int ColumnCount = 7;
    // OptionCount is a signed 16-bit number that counts one past the last row while the table
    // fills, so one row fewer than its maximum fits.
    static constexpr int MaxRows = 32766;

    qint16 OptionCount() const { return qint16(m_rows.size()); }
    bool isFull() const { return m_rows.size() >= size_t(MaxRows); }
    void clear() { m_rows.clear(); }

    // Appends a row and returns its number. A full table refuses the row and returns 0.
    int append(OptionRow row);

    // Rows 1 to OptionCount; any other number is a programming error and throws.
    const OptionRow& row(int r) const { return m_rows.at(size_t(r) - 1); }
    OptionRow& row(int r) { return m_rows.at(size_t(r) - 1); }

    QString cell(int r, Column column) const;
    void setCell(int r, Column column, const QString& value);

private:
    static QString OptionRow::*member(Column column);

    std::vector<OptionRow> m_rows;
};
