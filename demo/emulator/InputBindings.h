#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// The emulator's input file, read as leniently as the files that front-ends write into it:
// "key=value" and "key = \"value\"" alike, section headers with or without blanks inside the
// brackets, names matched without regard to letter case.
class InputBindings {
public:
    struct Entry {
        QString key;
        QString value;
    };

    static InputBindings fromBytes(const QByteArray& bytes);
    // nullopt when the file cannot be read.
    static std::optional<InputBindings> fromFile(const QString& path);

    // The entries of every section with this name, in file order.
    QList<Entry> section(const QString& name) const;

private:
    struct Section {
        QString name;
        QList<Entry> entries;
    };

    QList<Section> m_sections;
};
