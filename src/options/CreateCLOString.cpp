#include "options/CreateCLOString.h"

#include "options/OptionTable.h"
#include "options/PanelValues.h"

namespace Options {

QString CreateCLOString(const OptionTable& table, const PanelValues& panel) {
    QString options;
    for (int r = 1; r <= table.OptionCount(); ++r) {
        const OptionRow& row = table.row(r);
        const std::optional<OptionKind> kind = row.kind();
        if (kind == OptionKind::Text)
            options += u' ' + row.Switch + panel.text(r);
        else if (kind == OptionKind::List)
            options += u' ' + row.Switch + panel.listItem(r, panel.ListIndex(r));
        else if (kind == OptionKind::Check && panel.checkState(r) == 1)
            options += u' ' + row.Switch;
    }
    return options;
}

} // namespace Options
