#include "LaunchArguments.h"

namespace {

const QString SecondsSwitch = QStringLiteral("-seconds");

} // namespace

LaunchArguments LaunchArguments::parse(const QStringList& arguments) {
    LaunchArguments result;
    if (arguments.isEmpty())
        return result;
    result.m_hasRom = true;
    result.m_rom = arguments.first();
    result.m_options = arguments.mid(1);

    const QStringList& options = result.m_options;
    for (qsizetype i = 0; i < options.size(); ++i) {
        if (!options[i].startsWith(SecondsSwitch))
            continue;
        QString value = options[i].mid(SecondsSwitch.size()).trimmed();
        if (value.isEmpty() && i + 1 < options.size())
            value = options[i + 1].trimmed();
        bool ok = false;
        const int seconds = value.toInt(&ok);
        // A value that is not a positive number (or an unrelated switch such as
        // "-secondscreen") leaves the emulator waiting for the user, like an option left out.
        if (ok && seconds > 0)
            result.m_closeAfterSeconds = seconds;
    }
    return result;
}
