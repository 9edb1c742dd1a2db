#pragma once

#include <vector>

// Where the rows, the window's bottom edge and the buttons of the control-assignment window go,
// in twips. A figure derived from a control's position uses that position as placed in whole
// pixels, as the window reads it back; the figures themselves are given before placement.
class ControlsLayout {
public:
    // Sizes of the template row and the buttons, as placed.
    struct Template {
        double cellTop = 600;
        double cellHeight = 375;
        double labelHeight = 255;
        double buttonHeight = 375;
    };

    // Rows 1 ... rows; a category without inputs is laid out like one with a single row, whose
    // template then stays hidden.
    ControlsLayout(const Template& t, int rows, double twipsPerPixel);

    int rows() const { return int(m_cellTops.size()); }             // rows laid out, at least one
    double cellTop(int row) const { return m_cellTops[row - 1]; }   // row from 1
    double labelTop(int row) const { return m_labelTops[row - 1]; } // centred on the cell
    double lastCellBottom() const;

    // The window's outer height (title bar, menu bar and frame included) and the buttons' top,
    // as the rows ask for them.
    double windowHeight() const { return m_windowHeight; }
    double buttonTop() const { return buttonTopFor(m_windowHeight); }

    // The same once the window is held to at most maxWindowHeight: the buttons stay above the
    // bottom edge and the rows scroll.
    double clampedWindowHeight(double maxWindowHeight) const;
    double buttonTopFor(double windowHeight) const;

    static constexpr double rowGap = 30;            // between one cell and the next
    static constexpr double heightBelowRows = 1500; // below the last label, with a button's height
    static constexpr double buttonsAboveBottom = 1000;

private:
    double snap(double twips) const;

    Template m_template;
    double m_twipsPerPixel;
    std::vector<double> m_cellTops;
    std::vector<double> m_labelTops;
    double m_windowHeight = 0;
};
