#include <cstdio>
#include <cstring>
#include <optional>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "EmulatorWindow.h"
#include "GameCatalogue.h"
#include "InputBindings.h"
#include "LaunchArguments.h"

namespace {

const char* const ArgsFileVariable = "DEMOEMU_ARGS_FILE";
const QString InputFileName = QStringLiteral("demoemu.ini");

// Tests launch the emulator through the front-end and need to see exactly what arrived,
// splitting and quoting included, without looking at a window. Raw bytes, one per line.
void recordArguments(int argc, char** argv) {
    const QByteArray target = qgetenv(ArgsFileVariable);
    if (target.isEmpty())
        return;
    QFile file(QFile::decodeName(target));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "demoemu: cannot write %s\n", target.constData());
        return;
    }
    for (int i = 1; i < argc; ++i) {
        file.write(argv[i]);
        file.write("\n");
    }
}

int printGameList() {
    const QByteArray text = GameCatalogue::listing();
    const bool written = std::fwrite(text.constData(), 1, static_cast<std::size_t>(text.size()),
                                     stdout) == static_cast<std::size_t>(text.size());
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}

QString bindingsReport(const QString& folder) {
    const std::optional<InputBindings> bindings =
        InputBindings::fromFile(folder + u'/' + InputFileName);
    QStringList lines;
    if (!bindings) {
        lines << QStringLiteral("No %1 found: every input uses its default.").arg(InputFileName);
        return lines.join(u'\n');
    }
    lines << QStringLiteral("Input bindings from %1:").arg(InputFileName);
    for (const QString& name : {QStringLiteral("Player 1"), QStringLiteral("System")}) {
        lines << QStringLiteral("[%1]").arg(name);
        const QList<InputBindings::Entry> entries = bindings->section(name);
        if (entries.isEmpty())
            lines << QStringLiteral("  (nothing bound)");
        for (const InputBindings::Entry& entry : entries)
            lines << QStringLiteral("  %1 = %2").arg(entry.key, entry.value);
    }
    return lines.join(u'\n');
}

} // namespace

int main(int argc, char** argv) {
    recordArguments(argc, argv);

    // The list command must work without a display: front-ends run it before they show
    // anything, often from a shell with no desktop at all.
    if (argc > 1 && std::strcmp(argv[1], "-listfull") == 0)
        return printGameList();

    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // Qt would take arguments such as "-style" or "-reverse" for itself; every argument
    // belongs to the emulator, so Qt sees the program name alone.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("demoemu"));

    const LaunchArguments launch = LaunchArguments::parse(arguments);
    // The input file of the folder the front-end starts it from (an installed Tarvelin keeps
    // it in the user's data folder), else the one beside the program.
    const QString here = QDir::currentPath();
    const QString folder = QFileInfo(here + u'/' + InputFileName).isFile()
                               ? here
                               : QCoreApplication::applicationDirPath();
    EmulatorWindow window(launch, bindingsReport(folder));
    window.show();
    return QApplication::exec();
}
