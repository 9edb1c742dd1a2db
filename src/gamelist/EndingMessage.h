#pragma once

#include <QString>

class Dialogs;

// Shows a message that ends the program (critical icon, no title) and writes it to stderr
// first, so that it is seen when Tarvelin runs from a terminal or a script without a desktop.
void ShowEndingMessage(Dialogs& dialogs, const QString& text);

// The stderr form: "tarvelin: " and the text with its line breaks as LF.
QString EndingMessageForStderr(const QString& text);
