#pragma once

#include "base/Dialogs.h"

class QWidget;

// The dialogs as the user sees them: message boxes and the input box, parented to the main
// window once it exists.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    void critical(const QString& text) override;
    void message(const QString& text) override;
    void warning(const QString& text) override;
    void information(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    QString inputText(const QString& prompt, const QString& title, const QString& initial) override;

private:
    QWidget* m_parent;
};
