// The writer's contract: after a write it accepts, reading the key back gives the value as the
// reader trims it, every other key reads as before, and a refused write changes nothing.
// Several writes at once give the bytes of the same writes one by one.
// Input: file bytes, NUL, section, NUL, key, NUL, value, then more (NUL, section, key, value).
#include "base/IniDocument.h"

#include <cstdint>
#include <cstdlib>

namespace {

void checkWritesInOneGo(const QList<QByteArray>& parts) {
    std::vector<IniEntry> entries;
    for (qsizetype i = 1; i + 2 < parts.size(); i += 3)
        entries.push_back({QString::fromUtf8(parts[i]), QString::fromUtf8(parts[i + 1]),
                           QString::fromUtf8(parts[i + 2])});
    IniDocument oneByOne = IniDocument::fromBytes(parts[0]);
    bool accepted = true;
    for (const IniEntry& e : entries)
        accepted = accepted && oneByOne.set(e.section, e.key, e.value);
    IniDocument together = IniDocument::fromBytes(parts[0]);
    if (together.set(entries) != accepted)
        std::abort();
    const QByteArray expected =
        accepted ? oneByOne.toBytes() : IniDocument::fromBytes(parts[0]).toBytes();
    if (together.toBytes() != expected)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const QList<QByteArray> parts = input.split('\0');
    if (parts.size() < 4)
        return 0;
    const QString section = QString::fromUtf8(parts[1]);
    const QString key = QString::fromUtf8(parts[2]);
    const QString value = QString::fromUtf8(parts[3]);

    checkWritesInOneGo(parts);

    IniDocument doc = IniDocument::fromBytes(parts[0]);
    const QByteArray before = doc.toBytes();
    const auto oldKeys = doc.keys();
    std::vector<std::optional<QString>> oldValues;
    for (const auto& [s, k] : oldKeys)
        oldValues.push_back(doc.value(s, k));

    if (!doc.set(section, key, value)) {
        if (doc.toBytes() != before)
            std::abort();
        return 0;
    }
    const IniDocument reread = IniDocument::fromBytes(doc.toBytes());
    if (reread.value(section, key) != IniText::unquote(IniText::trimBlanks(value)))
        std::abort();
    const QString wantSection = IniText::trimBlanks(section);
    const QString wantKey = IniText::trimBlanks(key);
    for (size_t i = 0; i < oldKeys.size(); ++i) {
        const auto& [s, k] = oldKeys[i];
        const bool same = s.compare(wantSection, Qt::CaseInsensitive) == 0 &&
                          k.compare(wantKey, Qt::CaseInsensitive) == 0;
        if (!same && reread.value(s, k) != oldValues[i])
            std::abort();
    }
    return 0;
}
