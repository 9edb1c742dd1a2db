#pragma once

#include "options/PanelValues.h"
#include "options/ui/PanelControls.h"

#include <functional>

class OptionTable;

// What fitting the window to the panel needs of the main window.
struct PanelWindow {
    QWidget* cmdSaveDefault = nullptr; // the three profile buttons, moved under the panel
    QWidget* cmdSaveRom = nullptr;
    QWidget* cmdRevert = nullptr;
    QWidget* cmdLaunch = nullptr; // designed in the same row
    std::function<double()> outerHeightTw;
    std::function<void(double)> setOuterHeightTw;
    double maxOuterHeightTw = 0;
};

// The options panel of the main window: one captioned frame per option category, in each one
// row per option, built once from the option definitions by copying the window's templates.
// Its values are reached by row number through PanelValues.
class OptionsPanel final : public PanelValues {
public:
    // Reads the definitions file in one pass, filling the table and building the panel. Runs
    // once per window; the templates must still be where the window designed them.
    void build(const PanelTemplates& templates, const QString& definitionsFile, OptionTable& table);

    // The last frame's bottom in client twips, as laid out (before any clamp).
    double bottomTw() const { return m_controls.bottomTw; }
    // Moves the profile buttons directly under the last frame and grows the window when that is
    // below their old place. When the screen stops the window, the buttons go to the bottom row
    // and the frames scroll above them.
    void fitWindow(const PanelWindow& window);

    int frameCount() const { return int(m_controls.fraCat.size()) - 1; }
    QGroupBox* fraCat(int category) const { return PanelControls::at(m_controls.fraCat, category); }
    QLabel* lblConfig(int row) const { return PanelControls::at(m_controls.lblConfig, row); }
    QLineEdit* txtConfig(int row) const { return PanelControls::at(m_controls.txtConfig, row); }
    QComboBox* cmbConfig(int row) const { return PanelControls::at(m_controls.cmbConfig, row); }
    QCheckBox* chkCfg(int row) const { return PanelControls::at(m_controls.chkCfg, row); }
    QScrollArea* scrollArea() const { return m_controls.scroller; }

    QString text(int row) const override;
    void setText(int row, const QString& text) override;
    int ListIndex(int row) const override;
    void setListIndex(int row, int index) override;
    QString listItem(int row, int index) const override;
    int listCount(int row) const override;
    int checkState(int row) const override;
    void setCheckState(int row, int state) override;

    // The first category frame's left edge in client twips, before and after the panel is
    // built: building moves the frame into the panel's scroll area, where its own x is 0.
    double firstFrameLeftTw(const QGroupBox* fraCat1) const;

private:
    PanelControls m_controls;
};
