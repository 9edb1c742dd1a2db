#pragma once

#include <QString>

class Dialogs;

// Shows a message that ends the program (critical icon, no title) and writes it to stderr
// first, so that it is seen when Tarvelin runs from a terminal or a script without a desktop.
// A cause the message does not give (which file, which system error) goes to stderr only,
// before the message.
void ShowEndingMessage(Dialogs& dialogs, const QString& text, const QString& cause = QString());

// The stderr form: "tarvelin: " and the text with its line breaks as LF.
QString EndingMessageForStderr(const QString& text);
