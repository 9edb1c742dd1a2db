#include "about/AboutLayout.h"

#include <QtGlobal>

AboutLayout LayOutAbout(const AboutMeasures& m) {
    using namespace AboutDesign;
    AboutLayout out;

    // The picture sits at the top left at its own size and decides the width; without one the
    // design's place and width stand, and the text starts one line down instead.
    const double pictureWidth = m.picture ? m.picture->width() : image.width();
    out.image = m.picture ? QRectF(QPointF(0, 0), *m.picture) : image;
    const double labelWidth = labelShare * pictureWidth;
    const double labelLeft = pictureWidth / 2 - labelWidth / 2;
    const double labelTop = m.picture ? m.picture->height() : m.lineHeight;
    out.label = QRectF(labelLeft, labelTop, labelWidth, m.labelHeight);

    if (m.picture) {
        out.outerWidth = m.picture->width();
        out.clientWidth = out.outerWidth - m.frame.width();
    } else {
        out.clientWidth = clientWidth;
        out.outerWidth = clientWidth + m.frame.width();
    }
    out.outerHeight = m.labelHeight + labelTop + m.buttonHeight + bottomRoom;
    out.clientHeight = out.outerHeight - m.frame.height();
    out.ok = QRectF(ok.left(), out.outerHeight - m.buttonHeight - bottomRoom, ok.width(),
                    m.buttonHeight);

    // The window is as wide as the picture, even one narrower than the button's reach from its
    // designed left. The button then moves left just enough to stay whole; in a window narrower
    // than the button itself it narrows to the window, a gap on either side.
    if (out.ok.right() + minButtonGap > out.clientWidth) {
        const double width = qMin(ok.width(), qMax(0.0, out.clientWidth - 2 * minButtonGap));
        const double left = qMax(minButtonGap, out.clientWidth - minButtonGap - width);
        out.ok = QRectF(left, out.ok.top(), width, m.buttonHeight);
    }
    // A frame taller than the room below the button would cut the button off: the client area
    // grows just enough to keep it whole.
    if (out.clientHeight < out.ok.bottom() + minButtonGap) {
        out.clientHeight = out.ok.bottom() + minButtonGap;
        out.outerHeight = out.clientHeight + m.frame.height();
    }

    // A long about text must not push the button below the screen: the window stops at the
    // screen's height, the button moves up with its bottom edge, and the text is cut off.
    const double excess = out.outerHeight - m.maxOuterHeight;
    if (excess > 0) {
        out.outerHeight -= excess;
        out.clientHeight -= excess;
        out.ok.moveTop(qMax(0.0, out.ok.top() - excess));
        out.label.setHeight(qMax(0.0, qMin(out.label.height(), out.ok.top() - out.label.top())));
    }
    return out;
}
