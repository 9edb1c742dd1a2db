#pragma once

#include <QProxyStyle>

// Classic frames: the caption sits on the frame's top line, not above it as most styles draw
// it. The panel places its first row 200 twips below a frame's top, which would otherwise put
// the row over the caption's line. Set on the frames only; their children keep the
// application's style.
class FrameCaptionStyle final : public QProxyStyle {
public:
    // One instance for the whole program, owned by the application: frames refer to their style
    // until they are gone, so it must outlive every window.
    static QStyle* shared();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                         SubControl part, const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override;

private:
    explicit FrameCaptionStyle(QStyle* base) : QProxyStyle(base) {}
};
