#pragma once

#include "options/OptionDefinition.h"

#include <vector>

// The options panel's top-to-bottom flow, in twips, computed from measured sizes so that it
// can be checked without fonts or a display. Frame positions are in the main window's client
// area; row positions are inside their frame.
namespace Options {

// What the design-time templates give the layout.
struct PanelMetrics {
    double frameLeft = 6000;
    double frameTop = 120;
    double frameWidth = 3615;
    double labelLeft = 120; // the label template's left less the frame template's
    double checkLeft = 120; // the check box template's left less the frame template's
    double textHeight = 345;
    double listHeight = 315;
    double checkHeight = 345;
};

// One option row as measured: its kind and, for text and list options, its label's size.
struct RowSize {
    OptionKind kind = OptionKind::Text;
    double labelWidth = 0;
    double labelHeight = 0;
};

struct RowPlace {
    double controlLeft = 0;
    double controlTop = 0;
    double labelLeft = 0; // text and list options only
    double labelTop = 0;
};

struct FramePlace {
    double top = 0;
    double height = 0;
    std::vector<RowPlace> rows;
};

struct PanelPlaces {
    std::vector<FramePlace> frames;
    double bottom = 0; // the last frame's top plus its height
};

inline constexpr double FirstRowTop = 200;  // inside every frame
inline constexpr double RowGap = 100;       // between a row and the next, and below the last
inline constexpr double LabelGap = 100;     // between a label's right edge and its control
inline constexpr double FrameGap = 80;      // between a frame and the next

// Places one frame per category, each holding its rows in order.
PanelPlaces LayOutPanel(const PanelMetrics& metrics, const std::vector<std::vector<RowSize>>& categories);

// Fitting the window to the panel: the three profile buttons go directly under the last frame,
// and the window grows, never shrinks, when that is below their old place.
struct WindowNow {
    double outerHeight = 0;
    double maxOuterHeight = 0; // the screen's available height stops the window there
    double buttonsTop = 0;     // the profile buttons' top
    double launchTop = 0;      // cmdLaunch's top, in the buttons' row unless the list grew
};

struct WindowFit {
    double gap = 0;         // outer height below the buttons' top, kept as the window grows
    double launchGap = 0;   // outer height below cmdLaunch's top
    double panelBottom = 0;
    bool grows = false;
    bool stopped = false;   // the screen does not let the window grow that far
    double outerHeight = 0; // the outer height to ask for when the window grows

    // The buttons' top once the window has taken the height it could. In a window the screen
    // stopped they take the bottom row, as far above the window's bottom as cmdLaunch is
    // designed to be (a game list that grew the window moved cmdLaunch, not them), and the
    // panel scrolls above them.
    double buttonsTop(double outerHeightReadBack) const {
        if (!grows)
            return panelBottom;
        return outerHeightReadBack - (stopped ? launchGap : gap);
    }
};

WindowFit FitWindow(double panelBottom, const WindowNow& window);

} // namespace Options
