#include "base/TextCodec.h"

#include <QStringDecoder>

#include <cstring>

bool IsValidUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        // Runs of ASCII, the bulk of every emulator's output, are passed eight bytes at a time:
        // a list of 50,000 games is checked in a fraction of the time.
        for (quint64 word; i + 8 <= n; i += 8) {
            std::memcpy(&word, p + i, sizeof word);
            if (word & 0x8080808080808080ULL)
                break;
        }
        if (i >= n)
            break;
        const unsigned c = p[i];
        int extra;
        unsigned min;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false; // truncated sequence
        unsigned cp = c & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

QString DecodeText(const QByteArray& bytes) {
    if (!IsValidUtf8(bytes))
        return QString::fromLatin1(bytes);
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    // Keep a U+FEFF that is part of the text; only the leading mark was dropped above.
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return utf8.decode(view);
}
