#include "ui/FixedWindowSize.h"

#include "ui/Twips.h"
#include "ui/WindowFrame.h"

#include <QMainWindow>

void FixedWindowSize::setClientSizePx(int width, int height) {
    m_client->setFixedSize(width, height);
    m_window->setFixedSize(width, height + WindowFrame::menuHeightPx(m_window));
}

double FixedWindowSize::outerHeightTw() const {
    return Twips::fromPx(m_client->height() + WindowFrame::menuHeightPx(m_window) +
                         WindowFrame::extraPx(m_window).height());
}

double FixedWindowSize::outerWidthTw() const {
    return Twips::fromPx(m_client->width() + WindowFrame::extraPx(m_window).width());
}

double FixedWindowSize::maxOuterHeightTw() const {
    return WindowFrame::maxOuterHeightTw(m_window);
}

void FixedWindowSize::setOuterHeightTw(double twips) {
    const double clamped = qMin(twips, maxOuterHeightTw());
    const int clientH = Twips::toPx(clamped) - WindowFrame::menuHeightPx(m_window) -
                        WindowFrame::extraPx(m_window).height();
    setClientSizePx(m_client->width(), qMax(0, clientH));
}

void FixedWindowSize::setOuterWidthTw(double twips) {
    m_requestedOuterWidthTw = twips;
    const int clientW = Twips::toPx(twips) - WindowFrame::extraPx(m_window).width();
    setClientSizePx(qMax(0, clientW), m_client->height());
}

void FixedWindowSize::frameKnown() {
    if (m_requestedOuterWidthTw > 0 && !WindowFrame::extraPx(m_window).isNull())
        setOuterWidthTw(m_requestedOuterWidthTw);
}
