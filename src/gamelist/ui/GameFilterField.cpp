#include "gamelist/ui/GameFilterField.h"

#include <QCoreApplication>
#include <QKeyEvent>

GameFilterField::GameFilterField(QWidget* list, QWidget* parent) : QLineEdit(parent), m_list(list) {
    setClearButtonEnabled(true);
    setPlaceholderText(QStringLiteral("Find games: words of the title or ROM name"));
}

void GameFilterField::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
        emit escapePressed();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        QCoreApplication::sendEvent(m_list, event);
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}
