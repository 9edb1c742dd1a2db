#pragma once

#include "ui/Twips.h"

#include <QFont>
#include <QObject>
#include <QRectF>
#include <QString>
#include <QWidget>

// What every window of the program does alike: the classic small dialog font of buttons and
// generated controls, placing a widget by twips, and naming a widget so tests can find it.
namespace WidgetPlacement {

inline QFont controlFont() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

inline void placeTw(QWidget* widget, double left, double top, double width, double height) {
    widget->setGeometry(Twips::toPx(left), Twips::toPx(top), qMax(0, Twips::toPx(width)),
                        qMax(0, Twips::toPx(height)));
}

inline void placeTw(QWidget* widget, const QRectF& twips) {
    placeTw(widget, twips.left(), twips.top(), twips.width(), twips.height());
}

template <class T> T* named(T* object, const QString& name) {
    object->setObjectName(name);
    return object;
}

// The object name of element `index` of a control array, e.g. "txtConfig_3".
inline QString indexedName(const char* array, int index) {
    return QString::fromLatin1(array) + u'_' + QString::number(index);
}

} // namespace WidgetPlacement
