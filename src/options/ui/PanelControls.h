#pragma once

#include <cstddef>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QWidget;

// The design-time templates the panel copies, and the window they live on.
struct PanelTemplates {
    QWidget* client = nullptr; // the main window's client area
    QGroupBox* fraCat1 = nullptr;
    QLabel* lblConfig1 = nullptr;
    QLineEdit* txtConfig1 = nullptr;
    QComboBox* cmbConfig1 = nullptr;
    QCheckBox* chkCfg1 = nullptr;
    QWidget* focusBefore = nullptr; // the fixed control after which Tab enters the panel
};

// The panel's control arrays: frames by category number, option controls by row number, each
// from index 1. A row has only the controls of its kind, so the option arrays have gaps
// (null entries).
struct PanelControls {
    QScrollArea* scroller = nullptr; // lets a panel taller than the screen scroll
    QWidget* content = nullptr;      // holds the frames at their client-area tops
    double frameLeftTw = 0;          // where the scroll area puts the frames' left edge
    double bottomTw = 0;             // the last frame's bottom in client twips

    std::vector<QGroupBox*> fraCat{nullptr};
    std::vector<QLabel*> lblConfig{nullptr};
    std::vector<QLineEdit*> txtConfig{nullptr};
    std::vector<QComboBox*> cmbConfig{nullptr};
    std::vector<QCheckBox*> chkCfg{nullptr};

    template <class W> static W* at(const std::vector<W*>& array, int index) {
        return index >= 1 && size_t(index) < array.size() ? array[size_t(index)] : nullptr;
    }
};
