#include "cli/StderrDialogs.h"

#include "gamelist/EndingMessage.h"

#include <QTextStream>

namespace {

void toStderr(const QString& text) {
    QTextStream err(stderr);
    err << EndingMessageForStderr(text);
}

} // namespace

void StderrDialogs::critical(const QString& text) {
    toStderr(text);
}
void StderrDialogs::message(const QString& text) {
    toStderr(text);
}
void StderrDialogs::warning(const QString& text) {
    toStderr(text);
}
void StderrDialogs::information(const QString&, const QString& text) {
    toStderr(text);
}

bool StderrDialogs::askYesNo(const QString&, const QString&) {
    return false;
}

QString StderrDialogs::inputText(const QString&, const QString&, const QString&) {
    return {};
}
