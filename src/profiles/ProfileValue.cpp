#include "ProfileValue.h"

#include "Numeric.h"
#include "PanelValues.h"

namespace {

bool isText(const QString& kind) { return kind == u"0"; }
bool isList(const QString& kind) { return kind == u"1"; }
bool isCheck(const QString& kind) { return kind == u"2"; }

// A value too large for an int is outside every list and every check state.
int wholeOr(double value, int outside) { return WholeNumber(value).value_or(outside); }

} // namespace

namespace ProfileValue {

bool isStored(const QString& kind) { return isText(kind) || isList(kind) || isCheck(kind); }

QString fromPanel(const QString& kind, const PanelValues& panel, int row) {
    if (isText(kind))
        return panel.text(row);
    if (isList(kind))
        return QString::number(panel.ListIndex(row) + 1);
    if (isCheck(kind))
        return QString::number(panel.checkState(row));
    return {};
}

void show(const QString& kind, PanelValues& panel, int row, const QString& value) {
    if (isText(kind))
        panel.setText(row, value);
    else if (isList(kind))
        panel.setListIndex(row, wholeOr(NumericValue(value) - 1, -1));
    else if (isCheck(kind))
        panel.setCheckState(row, wholeOr(NumericValue(value), 0));
}

bool equalsDefault(const QString& kind, const PanelValues& panel, int row,
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
