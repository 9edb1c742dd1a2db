#include "options/MemoryPanelBuilder.h"

#include "options/MemoryPanelValues.h"

void MemoryPanelBuilder::addOption(int row, const OptionDefinition& option) {
    switch (option.kind) {
    case OptionKind::Text:
        m_panel.addText(row, option.Default);
        break;
    case OptionKind::List:
        m_panel.addList(row, option.choices, option.listIndex);
        break;
    case OptionKind::Check:
        m_panel.addCheck(row, option.checkState);
        break;
    }
}
