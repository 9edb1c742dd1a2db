#include "controls/ControlsLayout.h"

#include <QtGlobal>

#include <algorithm>

ControlsLayout::ControlsLayout(const Template& t, int rows, double twipsPerPixel)
    : m_template(t), m_twipsPerPixel(twipsPerPixel) {
    const int shown = std::max(rows, 1);
    m_cellTops.reserve(shown);
    m_labelTops.reserve(shown);
    double top = snap(t.cellTop);
    for (int i = 0; i < shown; ++i) {
        if (i > 0)
            top = snap(top + t.cellHeight + rowGap);
        m_cellTops.push_back(top);
        m_labelTops.push_back(top + t.cellHeight / 2 - t.labelHeight / 2);
    }
    m_windowHeight = snap(m_labelTops.back()) + t.labelHeight + t.buttonHeight + heightBelowRows;
}

double ControlsLayout::snap(double twips) const {
    return qRound(twips / m_twipsPerPixel) * m_twipsPerPixel;
}

double ControlsLayout::lastCellBottom() const {
    return m_cellTops.back() + m_template.cellHeight;
}

double ControlsLayout::clampedWindowHeight(double maxWindowHeight) const {
    return std::min(m_windowHeight, maxWindowHeight);
}

double ControlsLayout::buttonTopFor(double windowHeight) const {
    return snap(windowHeight) - (m_template.buttonHeight + buttonsAboveBottom);
}
