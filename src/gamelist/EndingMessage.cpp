#include "gamelist/EndingMessage.h"

#include "base/Dialogs.h"

#include <QTextStream>

QString EndingMessageForStderr(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return QStringLiteral("tarvelin: ") + plain + u'\n';
}

void ShowEndingMessage(Dialogs& dialogs, const QString& text) {
    QTextStream err(stderr);
    err << EndingMessageForStderr(text);
    err.flush();
    dialogs.critical(text);
}
