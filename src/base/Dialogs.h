#pragma once

#include <QString>

// Every message box and input box goes through here, so tests can record what would have been
// shown and answer for the user. "No title" means an empty title.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Critical icon, OK, no title. Used for messages that end the program.
    virtual void critical(const QString& text) = 0;
    // No icon, OK, no title.
    virtual void message(const QString& text) = 0;
    // Warning icon, OK, no title: a save that could not be written.
    virtual void warning(const QString& text) = 0;
    // No icon, OK, with a title.
    virtual void information(const QString& title, const QString& text) = 0;
    // No icon, Yes (default) and No. True only for Yes.
    virtual bool askYesNo(const QString& title, const QString& text) = 0;
    // A text input box; returns the empty text for Cancel.
    virtual QString inputText(const QString& prompt, const QString& title,
                              const QString& initial) = 0;
};
