#include "pictures/PictureIntegrity.h"

namespace {

quint32 bigEndian32(const QByteArray& b, qsizetype at) {
    return quint32(quint8(b[at])) << 24 | quint32(quint8(b[at + 1])) << 16 |
           quint32(quint8(b[at + 2])) << 8 | quint32(quint8(b[at + 3]));
}

quint16 bigEndian16(const QByteArray& b, qsizetype at) {
    return quint16(quint8(b[at]) << 8 | quint8(b[at + 1]));
}

// A PNG is a signature and chunks (length, type, data, CRC) up to the IEND chunk.
QString pngDamage(const QByteArray& b) {
    qsizetype at = 8;
    while (at + 12 <= b.size()) {
        const quint32 length = bigEndian32(b, at);
        if (length > 0x7fffffffu || qsizetype(length) > b.size() - at - 12)
            return QStringLiteral("is cut off (PNG chunk past the end of the file)");
        if (b.mid(at + 4, 4) == "IEND")
            return {};
        at += 12 + qsizetype(length);
    }
    return QStringLiteral("is cut off (PNG without its end chunk)");
}

bool isStandalone(quint8 marker) { return marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7); }

// A JPEG is a start marker, segments that state their length, entropy-coded data after each
// start of scan (where 0xFF is followed by 0x00 or a restart marker), and the end marker.
QString jpegDamage(const QByteArray& b) {
    const QString cutOff = QStringLiteral("is cut off (JPEG without its end marker)");
    qsizetype at = 2;
    while (true) {
        if (at + 1 >= b.size())
            return cutOff;
        if (quint8(b[at]) != 0xff)
            return QStringLiteral("is damaged (JPEG data where a marker belongs)");
        while (at + 1 < b.size() && quint8(b[at + 1]) == 0xff)
            ++at; // fill bytes before a marker
        if (at + 1 >= b.size())
            return cutOff;
        const quint8 marker = quint8(b[at + 1]);
        at += 2;
        if (marker == 0xd9)
            return {};
        if (isStandalone(marker))
            continue;
        if (at + 2 > b.size())
            return cutOff;
        const quint16 length = bigEndian16(b, at);
        if (length < 2 || at + length > b.size())
            return cutOff;
        at += length;
        if (marker != 0xda)
            continue;
        // Entropy-coded data runs to the next marker that is not a restart marker.
        while (at + 1 < b.size()) {
            if (quint8(b[at]) == 0xff) {
                const quint8 next = quint8(b[at + 1]);
                if (next != 0x00 && !(next >= 0xd0 && next <= 0xd7))
                    break;
            }
            ++at;
        }
    }
}

} // namespace

namespace PictureIntegrity {

QString damage(const QByteArray& bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return pngDamage(bytes);
    if (bytes.startsWith("\xff\xd8\xff"))
        return jpegDamage(bytes);
    return {};
}

} // namespace PictureIntegrity
