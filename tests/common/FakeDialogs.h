#pragma once

#include "base/Dialogs.h"

#include <QStringList>

// Records every box that would have been shown and answers for the user.
class FakeDialogs final : public Dialogs {
public:
    struct Shown {
        QString kind; // "critical", "message", "warning", "information", "yesno", "input"
        QString title;
        QString text;
    };
    QList<Shown> shown;
    bool yesNoAnswer = false;
    QString inputAnswer;

    void critical(const QString& text) override { shown.append({"critical", {}, text}); }
    void message(const QString& text) override { shown.append({"message", {}, text}); }
    void warning(const QString& text) override { shown.append({"warning", {}, text}); }
    void information(const QString& title, const QString& text) override {
        shown.append({"information", title, text});
    }
    bool askYesNo(const QString& title, const QString& text) override {
        shown.append({"yesno", title, text});
        return yesNoAnswer;
    }
    QString inputText(const QString& prompt, const QString& title, const QString& initial) override {
        shown.append({"input", title, prompt + u'\n' + initial});
        return inputAnswer;
    }
};
