#include "options/ui/FrameCaptionStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionGroupBox>

namespace {
constexpr int kCaptionIndent = 6;  // pixels from the frame's left edge to the caption
constexpr int kCaptionPadding = 2; // clear space either side of the caption on the line
} // namespace

QStyle* FrameCaptionStyle::shared() {
    static QPointer<FrameCaptionStyle> style;
    if (!style) {
        // A base of its own: the proxy owns its base, and the application keeps its style.
        style = new FrameCaptionStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(QCoreApplication::instance());
    }
    return style;
}

QRect FrameCaptionStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                        SubControl part, const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box)
        return QProxyStyle::subControlRect(control, option, part, widget);
    const int lineHeight = box->fontMetrics.height();
    const QRect& all = box->rect;
    switch (part) {
    case SC_GroupBoxLabel: {
        const int width = box->fontMetrics.horizontalAdvance(box->text) + 2 * kCaptionPadding;
        return QRect(all.left() + kCaptionIndent, all.top(), width, lineHeight).intersected(all);
    }
    case SC_GroupBoxFrame:
        return all.adjusted(0, lineHeight / 2, 0, 0);
    case SC_GroupBoxContents:
        return all.adjusted(1, lineHeight, -1, -1);
    default:
        return QProxyStyle::subControlRect(control, option, part, widget);
    }
}

void FrameCaptionStyle::drawComplexControl(ComplexControl control,
                                           const QStyleOptionComplex* option, QPainter* painter,
                                           const QWidget* widget) const {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (control != CC_GroupBox || !box) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const QRect caption = subControlRect(CC_GroupBox, option, SC_GroupBoxLabel, widget);
    const QRect frame = subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget);
    painter->save();
    QRegion line(box->rect);
    if (!box->text.isEmpty())
        line -= caption;
    painter->setClipRegion(line);
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(box->palette.color(QPalette::Mid));
    painter->setBrush(Qt::NoBrush);
    painter->drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter->restore();
    if (!box->text.isEmpty())
        drawItemText(painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, box->palette,
                     box->state & State_Enabled, box->text, QPalette::WindowText);
}
