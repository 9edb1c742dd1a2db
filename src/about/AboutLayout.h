#pragma once

#include <QRectF>
#include <QSizeF>

#include <limits>
#include <optional>

// The About window's design, in twips.
namespace AboutDesign {
inline constexpr double clientWidth = 5565;
inline constexpr double clientHeight = 2820;
inline constexpr QRectF image{0, 0, 5550, 1455};
inline constexpr QRectF label{120, 1560, 5295, 855};
inline constexpr QRectF ok{1800, 2400, 1935, 375};
// Share of the picture's width that the text takes, centred under it.
inline constexpr double labelShare = 0.95;
// Room left below the button: the text and the button sit this far above the outer bottom edge.
inline constexpr double bottomRoom = 500;
// The least gap kept between the button and the client edges, so that a tall window frame or
// a narrow picture never cuts the button off.
inline constexpr double minButtonGap = 120;
} // namespace AboutDesign

// What the layout is computed from, all measured in twips.
struct AboutMeasures {
    std::optional<QSizeF> picture; // the picture at its own size; none when there is none
    double lineHeight = 0;         // height of "XXX" in the window's font
    double labelHeight = AboutDesign::label.height(); // once filled with its text
    double buttonHeight = AboutDesign::ok.height();
    QSizeF frame; // outer size minus client size; 0 until the window is framed
    double maxOuterHeight =
        std::numeric_limits<double>::infinity(); // the screen's available height
};

// Where everything goes, in twips. Outer sizes include the frame; rectangles are in client
// coordinates.
struct AboutLayout {
    double outerWidth = 0;
    double outerHeight = 0;
    double clientWidth = 0;
    double clientHeight = 0;
    QRectF image;
    QRectF label;
    QRectF ok;
};

AboutLayout LayOutAbout(const AboutMeasures& measures);
