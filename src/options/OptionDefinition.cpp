#include "options/OptionDefinition.h"

#include "base/Numeric.h"

namespace {

// Numbers in definitions are read like every stored number: leading text up to the first
// character that cannot continue it, rounded halves to even.
std::optional<int> wholeValue(const QString& field) { return WholeNumber(NumericValue(field)); }

OptionDefinition listOption(OptionDefinition option, const QStringList& fields) {
    // The last field is the default choice number, not a choice.
    option.Default = fields.last();
    option.choices = fields.mid(3, fields.size() - 4);
    const std::optional<int> number = wholeValue(option.Default);
    if (number && *number >= 1 && *number <= option.choices.size())
        option.listIndex = *number - 1;
    return option;
}

} // namespace

namespace Options {

std::optional<OptionKind> KindFromText(const QString& text) {
    if (text == u"0")
        return OptionKind::Text;
    if (text == u"1")
        return OptionKind::List;
    if (text == u"2")
        return OptionKind::Check;
    return std::nullopt;
}

std::optional<OptionDefinition> ParseOptionDefinition(const QString& text) {
    const QStringList fields = text.split(u'|');
    if (fields.size() < 4)
        return std::nullopt;
    OptionDefinition option;
    option.Switch = fields[0];
    option.Caption = fields[1];
    option.kindText = fields[2];
    option.Default = fields[3];
    const std::optional<OptionKind> kind = KindFromText(option.kindText);
    if (!kind)
        return std::nullopt;
    option.kind = *kind;
    switch (*kind) {
    case OptionKind::Text:
        return option;
    case OptionKind::Check: {
        const std::optional<int> state = wholeValue(option.Default);
        option.checkState = state && *state >= 0 && *state <= 2 ? *state : 0;
        return option;
    }
    case OptionKind::List:
        // Four fields make a list only when the one number says "no choice": an empty list.
        if (fields.size() < 5 && fields[3] != u"0")
            return std::nullopt;
        return listOption(option, fields);
    }
    return std::nullopt;
}

} // namespace Options
