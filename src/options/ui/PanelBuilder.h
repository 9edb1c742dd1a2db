#pragma once

#include "options/OptionDefinitionReader.h"
#include "options/PanelLayout.h"
#include "options/ui/PanelControls.h"

#include <vector>

// Builds the panel while the definitions are read: a frame per category, the controls of each
// accepted option copied from the templates (row 1 takes the templates themselves) with their
// initial values. finish() then lays everything out from the measured label sizes, shows it and
// puts the panel's controls in the focus chain after the fixed controls, in row order.
class PanelBuilder final : public OptionDefinitionSink {
public:
    PanelBuilder(const PanelTemplates& templates, PanelControls& controls);

    void beginCategory(int category, const QString& name) override;
    void addOption(int row, const OptionDefinition& option) override;
    void endCategory(int category) override;

    void finish();

private:
    void grow(int row);
    QLabel* label(int row, const QString& caption, QGroupBox* frame);
    QWidget* control(int row) const;
    void chainFocus();
    void place(int row, const Options::RowPlace& place);

    PanelTemplates m_templates;
    PanelControls& m_controls;
    Options::PanelMetrics m_metrics;
    std::vector<std::vector<Options::RowSize>> m_sizes; // per category, in row order
    std::vector<std::vector<int>> m_rows;               // row numbers per category
    QWidget* m_firstControl = nullptr;
};
