#pragma once

#include <QString>

// The options panel's values by row number, the one way the profile and launch code reach the
// panel. Row r's value lives in the control of its kind: a text box, a drop-down list or a
// check box. Asking a row for a value its kind does not hold gives the empty text, -1, 0 or
// no items, and setting one changes nothing.
class PanelValues {
public:
    virtual ~PanelValues() = default;

    virtual QString text(int row) const = 0;
    virtual void setText(int row, const QString& text) = 0;

    // The selected position, 0-based, -1 for none. A position outside the list selects nothing.
    virtual int ListIndex(int row) const = 0;
    virtual void setListIndex(int row, int index) = 0;
    // The item at a position as listed; empty for a position outside the list.
    virtual QString listItem(int row, int index) const = 0;
    virtual int listCount(int row) const = 0;

    // 0 unticked, 1 ticked, 2 greyed. A state outside 0..2 unticks the box.
    virtual int checkState(int row) const = 0;
    virtual void setCheckState(int row, int state) = 0;
};
