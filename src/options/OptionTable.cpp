#include "options/OptionTable.h"

#include <utility>

int OptionTable::append(OptionRow row) {
    if (isFull())
        return 0;
    m_rows.push_back(std::move(row));
    return int(m_rows.size());
}

QString OptionRow::*OptionTable::member(Column column) {
    switch (column) {
    case Column::Switch:
        return &OptionRow::Switch;
    case Column::Caption:
        return &OptionRow::Caption;
    case Column::Category:
        return &OptionRow::Category;
    case Column::Kind:
        return &OptionRow::Kind;
    case Column::Default:
        return &OptionRow::Default;
    case Column::DefaultProfileValue:
        return &OptionRow::DefaultProfileValue;
    case Column::GameValue:
        break;
    }
    return &OptionRow::GameValue;
}

QString OptionTable::cell(int r, Column column) const { return row(r).*member(column); }

void OptionTable::setCell(int r, Column column, const QString& value) {
    row(r).*member(column) = value;
}
