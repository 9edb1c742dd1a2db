#include "about/AboutText.h"

#include "base/Ini.h"
#include "base/TextCodec.h"

#include <QFileInfo>

namespace AboutText {

std::optional<QString> Read(const QString& file) {
    if (!QFileInfo(file).isFile())
        return std::nullopt;
    return DecodeText(ReadFileBytes(file));
}

qsizetype LineCount(const QString& text) {
    if (text.isEmpty())
        return 0;
    qsizetype breaks = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            ++breaks;
        } else if (text[i] == u'\r') {
            ++breaks;
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        }
    }
    return breaks + 1;
}

double LabelHeight(qsizetype lineCount, double lineHeight) {
    return lineHeight * double(lineCount + 1);
}

QString ForDisplay(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

} // namespace AboutText
