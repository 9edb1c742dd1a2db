#include "base/Numeric.h"

#include <cmath>
#include <limits>

namespace {

bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

// The text with the characters that numbers skip over removed, so the parser below sees the
// number's characters side by side.
QString withoutSkipped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (!isSkipped(c))
            out += c;
    return out;
}

double radixValue(const QString& digits, int radix) {
    quint64 value = 0;
    int count = 0;
    for (QChar c : digits) {
        const int d = c.isDigit() ? c.digitValue()
                      : (radix == 16 && c.toLower() >= u'a' && c.toLower() <= u'f')
                          ? c.toLower().unicode() - u'a' + 10
                          : -1;
        if (d < 0 || d >= radix)
            break;
        if (value > (std::numeric_limits<quint64>::max() >> 4))
            break; // longer than any stored value can be; what was read stands
        value = value * radix + d;
        ++count;
    }
    if (count == 0)
        return 0;
    // Hex and octal literals are two's complement at 16 and 32 bits, as the files were written.
    if (value <= 0xFFFF && value > 0x7FFF)
        return double(qint64(value) - 0x10000);
    if (value <= 0xFFFFFFFFull && value > 0x7FFFFFFF)
        return double(qint64(value) - 0x100000000ll);
    return double(value);
}

} // namespace

double NumericValue(const QString& text) {
    const QString s = withoutSkipped(text);
    if (s.size() >= 2 && s[0] == u'&') {
        const QChar p = s[1].toUpper();
        if (p == u'H')
            return radixValue(s.mid(2), 16);
        if (p == u'O')
            return radixValue(s.mid(2), 8);
    }
    qsizetype i = 0;
    QString number;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
        number += s[i++];
    qsizetype digits = 0;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        number += s[i++];
        ++digits;
    }
    if (i < s.size() && s[i] == u'.') {
        number += s[i++];
        while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
            number += s[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i].toUpper() == u'E' || s[i].toUpper() == u'D')) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
            exponent += s[j++];
        qsizetype expDigits = 0;
        while (j < s.size() && s[j].isDigit() && s[j].unicode() < 128 && expDigits < 6) {
            exponent += s[j++];
            ++expDigits;
        }
        if (expDigits > 0)
            number += exponent;
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 0;
    return value;
}

double RoundHalfEven(double value) {
    if (!std::isfinite(value))
        return value;
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff > 0.5)
        return lower + 1;
    if (diff < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0 ? lower : lower + 1;
}

std::optional<int> WholeNumber(double value) {
    const double r = RoundHalfEven(value);
    if (!std::isfinite(r) || r < std::numeric_limits<int>::min() ||
        r > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(r);
}

std::optional<qint16> ToInt16(const QString& text) {
    const QString s = text.trimmed();
    if (s.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    if (s[0] == u'+' || s[0] == u'-')
        ++i;
    qsizetype digits = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (s[i] == u'.' && !point) {
            point = true;
        } else if (s[i].unicode() >= '0' && s[i].unicode() <= '9') {
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    bool ok = false;
    const double value = RoundHalfEven(s.toDouble(&ok));
    if (!ok || value < -32768 || value > 32767)
        return std::nullopt;
    return qint16(value);
}
