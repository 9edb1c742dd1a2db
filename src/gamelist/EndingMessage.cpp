#include "gamelist/EndingMessage.h"

#include "base/Dialogs.h"

#include <QTextStream>

QString EndingMessageForStderr(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return QStringLiteral("tarvelin: ") + plain + u'\n';
}

void ShowEndingMessage(Dialogs& dialogs, const QString& text, const QString& cause) {
    QTextStream err(stderr);
    if (!cause.isEmpty())
        err << EndingMessageForStderr(cause);
    err << EndingMessageForStderr(text);
    err.flush();
    dialogs.critical(text);
}
