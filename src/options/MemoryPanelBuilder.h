#pragma once

#include "options/OptionDefinitionReader.h"

class MemoryPanelValues;

// Fills a panel in memory as the options panel is built from the definitions: each option's
// row starts with the value its definition gives (a text, a list's choices and default
// choice, a check state), before any profile is loaded.
class MemoryPanelBuilder final : public OptionDefinitionSink {
public:
    explicit MemoryPanelBuilder(MemoryPanelValues& panel) : m_panel(panel) {}

    void beginCategory(int, const QString&) override {}
    void addOption(int row, const OptionDefinition& option) override;
    void endCategory(int) override {}

private:
    MemoryPanelValues& m_panel;
};
