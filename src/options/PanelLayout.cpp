#include "options/PanelLayout.h"

namespace Options {

namespace {

double controlHeight(const PanelMetrics& m, OptionKind kind) {
    switch (kind) {
    case OptionKind::Text:
        return m.textHeight;
    case OptionKind::List:
        return m.listHeight;
    case OptionKind::Check:
        break;
    }
    return m.checkHeight;
}

// Places one row at y and returns the next row's y.
double placeRow(const PanelMetrics& m, const RowSize& size, double y, RowPlace& place) {
    const double height = controlHeight(m, size.kind);
    place.controlTop = y;
    if (size.kind == OptionKind::Check) {
        place.controlLeft = m.checkLeft;
    } else {
        // The control follows its label, however long the caption; the frame hides the rest.
        place.labelLeft = m.labelLeft;
        place.controlLeft = place.labelLeft + size.labelWidth + LabelGap;
        place.labelTop = y + height / 2 - size.labelHeight / 2;
    }
    return y + height + RowGap;
}

} // namespace

PanelPlaces LayOutPanel(const PanelMetrics& metrics, const std::vector<std::vector<RowSize>>& categories) {
    PanelPlaces panel;
    panel.frames.reserve(categories.size());
    // With the designed frame top of 120, a gap of 80 is the second frame's "first frame's
    // height plus 200"; later frames keep the same gap.
    double top = metrics.frameTop;
    for (const std::vector<RowSize>& rows : categories) {
        FramePlace frame;
        frame.top = top;
        frame.rows.resize(rows.size());
        double y = FirstRowTop;
        for (size_t i = 0; i < rows.size(); ++i)
            y = placeRow(metrics, rows[i], y, frame.rows[i]);
        frame.height = y;
        top = frame.top + frame.height + FrameGap;
        panel.frames.push_back(std::move(frame));
    }
    panel.bottom = panel.frames.empty() ? metrics.frameTop
                                        : panel.frames.back().top + panel.frames.back().height;
    return panel;
}

WindowFit FitWindow(double panelBottom, const WindowNow& window) {
    WindowFit fit;
    fit.gap = window.outerHeight - window.buttonsTop;
    fit.launchGap = window.outerHeight - window.launchTop;
    fit.panelBottom = panelBottom;
    fit.grows = fit.gap + panelBottom > window.outerHeight;
    fit.outerHeight = fit.grows ? fit.gap + panelBottom : window.outerHeight;
    fit.stopped = fit.grows && fit.outerHeight > window.maxOuterHeight;
    return fit;
}

} // namespace Options
