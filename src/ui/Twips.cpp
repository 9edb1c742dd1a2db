#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>

double Twips::s_perPixel = 0;

double Twips::perPixel() {
    if (s_perPixel <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        s_perPixel = 1440.0 / (dpi > 0 ? dpi : 96.0);
    }
    return s_perPixel;
}

void Twips::setPerPixel(double twipsPerPixel) { s_perPixel = twipsPerPixel; }
