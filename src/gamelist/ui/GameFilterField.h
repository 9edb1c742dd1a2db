#pragma once

#include <QLineEdit>

// The field above the game list that takes the words to find games by. The arrow and page
// keys still move through the list while typing; Escape asks for the field to close.
class GameFilterField : public QLineEdit {
    Q_OBJECT
public:
    GameFilterField(QWidget* list, QWidget* parent);
    // The view the arrow and page keys move through (the details table while it shows).
    void setList(QWidget* list) { m_list = list; }

signals:
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* m_list;
};
