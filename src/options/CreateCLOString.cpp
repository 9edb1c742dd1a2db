#include "CreateCLOString.h"

#include "OptionTable.h"
#include "PanelValues.h"

namespace Options {

QString CreateCLOString(const OptionTable& table, const PanelValues& panel) {
    QString options;
    for (int r = 1; r <= table.OptionCount(); ++r) {
        const OptionRow& row = table.row(r);
        if (row.Kind == u"0")
            options += u' ' + row.Switch + panel.text(r);
        else if (row.Kind == u"1")
            options += u' ' + row.Switch + panel.listItem(r, panel.ListIndex(r));
        else if (row.Kind == u"2" && panel.checkState(r) == 1)
            options += u' ' + row.Switch;
    }
    return options;
}

} // namespace Options
