#pragma once

#include "base/Dialogs.h"

// The dialogs of a run without windows: every message goes to stderr as one "tarvelin: " line
// (or several, for a message of several lines); a question is answered No and an input box
// gives the empty text, as Cancel would.
class StderrDialogs final : public Dialogs {
public:
    void critical(const QString& text) override;
    void message(const QString& text) override;
    void warning(const QString& text) override;
    void information(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    QString inputText(const QString& prompt, const QString& title, const QString& initial) override;
};
