#pragma once

#include <QtGlobal>

// Layout is computed in twips (1/1440 inch) and placed in whole pixels at the screen's logical
// DPI; values read back are the placed ones converted back to twips.
class Twips {
public:
    static double perPixel();
    static void setPerPixel(double twipsPerPixel); // tests and odd screens

    static int toPx(double twips) { return qRound(twips / perPixel()); }
    static double fromPx(int pixels) { return pixels * perPixel(); }

private:
    static double s_perPixel;
};
