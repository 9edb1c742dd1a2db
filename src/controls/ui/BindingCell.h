#pragma once

#include <QLabel>

// A binding cell of the control-assignment window: a bordered label that reports a mouse
// button going down on it, whichever button it is, with the buttons then held.
class BindingCell : public QLabel {
    Q_OBJECT
public:
    explicit BindingCell(QWidget* parent = nullptr);

signals:
    void mouseDown(Qt::MouseButtons held);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
