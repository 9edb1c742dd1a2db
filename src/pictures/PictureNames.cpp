#include "pictures/PictureNames.h"

namespace PictureNames {

bool isUsableRom(const QString& rom) {
    return !rom.isEmpty() && rom != u"." && rom != u".." && !rom.contains(u'/') &&
           !rom.contains(u'\\') && !rom.contains(QChar(0));
}

QString suffix(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot + 1).toLower();
}

QString stem(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? fileName : fileName.left(dot);
}

QStringList orderedSuffixes(const QStringList& readable) {
    QStringList ordered;
    for (const QString& s : QStringList{QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg")} + readable) {
        const QString lower = s.toLower();
        if (!lower.isEmpty() && !ordered.contains(lower) &&
            readable.contains(lower, Qt::CaseInsensitive))
            ordered << lower;
    }
    return ordered;
}

} // namespace PictureNames
