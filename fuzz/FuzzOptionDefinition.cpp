// Any text as one option definition. A definition is accepted exactly when field 2 is "0", "1"
// or "2" and it has the fields its kind needs, and what is accepted holds only what its fields
// say: the switch, caption and kind as written, a list's choices and default number, a check
// state of 0 to 2 and a list selection inside its choices.
#include "options/OptionDefinition.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

bool hasEnoughFields(const QStringList& fields) {
    if (fields.size() < 3 || (fields[2] != u"0" && fields[2] != u"1" && fields[2] != u"2"))
        return false;
    if (fields[2] == u"1")
        return fields.size() >= 5 || (fields.size() == 4 && fields[3] == u"0");
    return fields.size() >= 4;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList fields = text.split(u'|');
    const std::optional<OptionDefinition> option = Options::ParseOptionDefinition(text);

    require(option.has_value() == hasEnoughFields(fields));
    if (!option)
        return 0;
    require(option->Switch == fields[0] && option->Caption == fields[1] &&
            option->kindText == fields[2]);
    switch (option->kind) {
    case OptionKind::Text:
        require(option->kindText == u"0" && option->Default == fields[3]);
        break;
    case OptionKind::Check:
        require(option->kindText == u"2" && option->Default == fields[3]);
        require(option->checkState >= 0 && option->checkState <= 2);
        break;
    case OptionKind::List:
        require(option->kindText == u"1" && option->Default == fields.last());
        require(option->choices == fields.mid(3, fields.size() - 4));
        require(option->listIndex >= -1 && option->listIndex < option->choices.size());
        break;
    }
    return 0;
}
