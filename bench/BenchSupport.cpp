#include "BenchSupport.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <ctime>

#include <sys/resource.h>
#include <unistd.h>

namespace Bench {

void print(const QString& name, double value, const QString& unit, const QString& goal) {
    QTextStream out(stdout);
    out << name << '\t' << QString::number(value, 'f', 3) << '\t' << unit;
    if (!goal.isEmpty())
        out << '\t' << goal;
    out << '\n';
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

qint64 monotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

double elapsedMs(const std::function<void()>& work) {
    const qint64 start = monotonicNs();
    work();
    return double(monotonicNs() - start) / 1e6;
}

double changeMs(int rounds, const std::function<void()>& reset,
                const std::function<void()>& change) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        reset();
        QCoreApplication::processEvents();
        times.push_back(elapsedMs([&] {
            change();
            QCoreApplication::processEvents();
        }));
    }
    return median(times);
}

QByteArray variedTitle(int game) {
    static const char* words[] = {"Super",  "Dragon", "Pac",    "Space",  "Ninja",
                                  "Galaxy", "Street", "Castle", "Rally",  "Puzzle",
                                  "Café",   "Tiger",  "Metal",  "Bubble", "Robot",
                                  "Turbo",  "Zombie", "Wizard", "Ocean",  "Thunder"};
    return QByteArray(words[game % 20]) + " " + words[(game / 20) % 20] + " " +
           QByteArray::number(game);
}

double medianMs(int rounds, const std::function<void()>& work) {
    std::vector<double> times;
    times.reserve(size_t(rounds));
    for (int i = 0; i < rounds; ++i)
        times.push_back(elapsedMs(work));
    return median(times);
}

double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

AppFolder::AppFolder() {
    if (!m_dir.isValid() || !QDir(m_dir.path()).mkpath(QStringLiteral("dovrel/cfgs")))
        qFatal("cannot make a temporary application folder");
}

QString AppFolder::file(const QString& relative) const {
    return m_dir.filePath(relative);
}

void AppFolder::write(const QString& relative, const QByteArray& bytes) const {
    const QString path = file(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

void AppFolder::writeScript(const QString& relative, const QByteArray& body) const {
    write(relative, "#!/bin/sh\n" + body);
    QFile::setPermissions(file(relative), QFile::permissions(file(relative)) | QFile::ExeOwner);
}

void AppFolder::copyProgram(const QString& from, const QString& relative) const {
    QFile::remove(file(relative));
    if (!QFile::copy(from, file(relative)))
        qFatal("cannot copy %s", qPrintable(from));
    QFile::setPermissions(file(relative), QFile::permissions(file(relative)) | QFile::ExeOwner);
}

namespace GameListEmulator {

QString romName(int game) {
    return QStringLiteral("game%1").arg(game, 6, 10, QLatin1Char('0'));
}

QByteArray script(int games) {
    // One builtin printf of the shell with every line as an argument: the list arrives at
    // once, as a real emulator's does, and the shell adds no process per line.
    QByteArray body = "printf '%s\\n' 'Fake Emulator 1.0' 'Usage: fakeemu -listfull' '' "
                      "'Name         Description'";
    body.reserve(qsizetype(games) * 48 + body.size());
    for (int i = 0; i < games; ++i)
        body += " '" + romName(i).leftJustified(romLen).toUtf8() + " Game number " +
                QByteArray::number(i) + " (set " + QByteArray::number(i % 7) + ")'";
    body += "\n";
    return body;
}

void writeRoms(const AppFolder& app, int games) {
    QDir(app.path()).mkpath(QStringLiteral("roms"));
    for (int i = 0; i < games; ++i)
        if (i % 3 != 0)
            app.write("roms/" + romName(i) + ".zip", QByteArray());
}

QByteArray dovrelIni(const QByteArray& settings) {
    return "[Parse]\nExeName=emu\nGameListCommand=-list\nGameListStartLine=" +
           QByteArray::number(startLine) + "\nGameListRomLen=" + QByteArray::number(romLen) +
           "\nHelpEndLine=1\n[Settings]\nRomPath=\nSendRomPath=1\nRomPathinQuotes=1\n"
           "RomExt=.zip\nShowMissingRoms=1\n" +
           settings;
}

} // namespace GameListEmulator

namespace OptionDefinitions {

QString category(int option, int perCategory) {
    return QStringLiteral("Category %1").arg(option / perCategory + 1);
}

QString caption(int option) {
    switch (option % 3) {
    case 0:
        return QStringLiteral("Text option %1").arg(option);
    case 1:
        return QStringLiteral("List option %1").arg(option);
    default:
        return QStringLiteral("Check option %1").arg(option);
    }
}

QByteArray file(int options, int perCategory) {
    const int categories = (options + perCategory - 1) / perCategory;
    QByteArray text = "[General]\nNumCats=" + QByteArray::number(categories) + "\n";
    int n = 0;
    for (int c = 1; c <= categories; ++c) {
        const int here = std::min(perCategory, options - n);
        text += "[Cat" + QByteArray::number(c) + "]\nName=" + category(n, perCategory).toUtf8() +
                "\nnumOpts=" + QByteArray::number(here) + "\n";
        for (int i = 1; i <= here; ++i, ++n) {
            const QByteArray num = QByteArray::number(n);
            text += "opt" + QByteArray::number(i) + "=";
            switch (n % 3) {
            case 0:
                text += "-text" + num + " |" + caption(n).toUtf8() + "|0|value " + num + "\n";
                break;
            case 1:
                text += "-list" + num + "=|" + caption(n).toUtf8() + "|1|one|two|three|four|2\n";
                break;
            default:
                text += "-check" + num + "|" + caption(n).toUtf8() + "|2|1\n";
                break;
            }
        }
    }
    return text;
}

} // namespace OptionDefinitions

namespace {

double statusMb(const QByteArray& status, const QByteArray& key) {
    for (const QByteArray& line : status.split('\n'))
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

QByteArray readProc(const QString& path) {
    QFile f(path);
    // /proc files report no size: read until the end.
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

ProcessFigures processFigures(qint64 pid) {
    if (pid == 0)
        pid = ::getpid();
    const QString base = QStringLiteral("/proc/%1/").arg(pid);
    ProcessFigures figures;
    const QByteArray status = readProc(base + QStringLiteral("status"));
    figures.residentMb = statusMb(status, "VmRSS");
    figures.peakMb = statusMb(status, "VmHWM");
    // The listing holds the folder itself open: one descriptor more, every time alike.
    figures.openFiles = int(QDir(base + QStringLiteral("fd"))
                                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                                .size());
    const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : processes) {
        bool number = false;
        entry.toLongLong(&number);
        if (!number)
            continue;
        // The name in parentheses may hold blanks and parentheses: the fields follow the last.
        const QByteArray stat =
            readProc(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        const qsizetype close = stat.lastIndexOf(')');
        if (close < 0)
            continue;
        const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == pid)
            ++figures.children;
    }
    return figures;
}

} // namespace Bench
