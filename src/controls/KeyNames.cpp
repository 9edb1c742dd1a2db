#include "controls/KeyNames.h"

#include "base/Ini.h"

#include <QStringList>

QString ScanCodeName(const QString& keyNamesFile, qint16 code, qint16 rightHandState) {
    const QString value = ReadIni(keyNamesFile, QStringLiteral("ScanCodes"), QString::number(code));
    if (value.isEmpty())
        return QStringLiteral("unknown:") + QString::number(code);
    const QStringList names = value.split(u'|');
    return names.size() >= 2 && rightHandState < -1 ? names[1] : names[0];
}
