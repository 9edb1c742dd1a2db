#include "controls/ui/BindingCell.h"

#include <QMouseEvent>

BindingCell::BindingCell(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
}

void BindingCell::mousePressEvent(QMouseEvent* event) {
    event->accept();
    emit mouseDown(event->buttons());
}
