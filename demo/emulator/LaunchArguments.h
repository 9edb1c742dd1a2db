#pragma once

#include <QString>
#include <QStringList>

// What a play launch handed the emulator: the ROM argument first, then the options. Options
// arrive the way the front-end's command line was split, so "-seconds 8" may be one argument
// or two; both spellings (and "-seconds8") are understood.
class LaunchArguments {
public:
    static LaunchArguments parse(const QStringList& arguments);

    bool hasRom() const { return m_hasRom; }
    const QString& rom() const { return m_rom; }
    // Every argument after the ROM, unchanged.
    const QStringList& options() const { return m_options; }
    // 0 when the emulator should stay until a key press or a click.
    int closeAfterSeconds() const { return m_closeAfterSeconds; }

private:
    bool m_hasRom = false;
    QString m_rom;
    QStringList m_options;
    int m_closeAfterSeconds = 0;
};
