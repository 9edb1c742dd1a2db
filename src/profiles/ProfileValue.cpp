#include "profiles/ProfileValue.h"

#include "base/Numeric.h"
#include "options/PanelValues.h"

namespace {

bool isText(std::optional<OptionKind> kind) { return kind == OptionKind::Text; }
bool isList(std::optional<OptionKind> kind) { return kind == OptionKind::List; }
bool isCheck(std::optional<OptionKind> kind) { return kind == OptionKind::Check; }

// A value too large for an int is outside every list and every check state.
int wholeOr(double value, int outside) { return WholeNumber(value).value_or(outside); }

} // namespace

namespace ProfileValue {

bool isStored(std::optional<OptionKind> kind) { return isText(kind) || isList(kind) || isCheck(kind); }

QString fromPanel(std::optional<OptionKind> kind, const PanelValues& panel, int row) {
    if (isText(kind))
        return panel.text(row);
    if (isList(kind))
        return QString::number(panel.ListIndex(row) + 1);
    if (isCheck(kind))
        return QString::number(panel.checkState(row));
    return {};
}

void show(std::optional<OptionKind> kind, PanelValues& panel, int row, const QString& value) {
    if (isText(kind))
        panel.setText(row, value);
    else if (isList(kind))
        panel.setListIndex(row, wholeOr(NumericValue(value) - 1, -1));
    else if (isCheck(kind))
        panel.setCheckState(row, wholeOr(NumericValue(value), 0));
}

bool equalsDefault(std::optional<OptionKind> kind, const PanelValues& panel, int row,
                   const QString& defaultValue) {
    if (isText(kind))
        return panel.text(row) == defaultValue;
    if (isList(kind))
        return double(panel.ListIndex(row) + 1) == NumericValue(defaultValue);
    if (isCheck(kind))
        return double(panel.checkState(row)) == NumericValue(defaultValue);
    return true;
}

} // namespace ProfileValue
