// Any bytes as an INI file: parsing and every lookup must finish without a fault, and each
// key the parser lists must be found again by a lookup of its own name.
#include "base/Ini.h"
#include "base/IniDocument.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const IniDocument doc = IniDocument::fromBytes(bytes);
    for (const auto& [section, key] : doc.keys()) {
        const auto value = doc.value(section, key);
        if (!value)
            std::abort();
        const QString shown = IniResult(*value);
        if (shown.size() > IniLimits::maxValueLength)
            std::abort();
    }
    (void)doc.toBytes();
    return 0;
}
