#pragma once

// The game list box grows to show all its entries, and the window with it, keeping the Launch
// button's distance from the window's bottom edge. All lengths are twips, in single precision.
struct ListFitInput {
    float outerHeight = 0;    // the window's outer height
    float launchTop = 0;      // top of cmdLaunch
    float listTop = 0;        // top of lstGames
    float listHeight = 0;     // height of lstGames
    int entries = 0;
    float lineHeight = 0;     // one line of text in the list's font
    float maxOuterHeight = 0; // the screen's available height
};

struct ListFit {
    bool grows = false;
    float listHeight = 0;
    float outerHeight = 0;
    float launchTop = 0;
};

// Grows by 1.05 x entries x line height when the entries do not fit, never shrinks, and stops
// at the screen's available height, where the list scrolls instead of growing further.
ListFit FitListToEntries(const ListFitInput& in);
