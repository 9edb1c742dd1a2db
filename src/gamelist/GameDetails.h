#pragma once

#include <QList>
#include <QString>
#include <QStringList>


// The details the list command gives beyond a title, one row per loaded game and one column
// per field that DetailFields names. Six names mean something to the list (letter case
// ignored): Year, Manufacturer, Parent (the ROM name of the game this one is a clone of),
// Status ("preliminary" for a game that does not work yet), Players and Category; any other
// name is a column to show and nothing more. Values repeat a lot (a few dozen years, some
// thousand manufacturers for 40,000 machines): the reader hands in shared strings.
class GameDetails {
public:
    enum class Field { Year, Manufacturer, Parent, Status, Players, Category };

    GameDetails() = default;
    explicit GameDetails(QStringList fields);

    // The field names of a DetailFields setting: split at ";", control characters made
    // blanks, blanks around each removed, empty names and repeated ones (letter case ignored)
    // dropped.
    static QStringList fieldsFrom(const QString& setting);

    const QStringList& fields() const { return m_fields; }
    bool isEmpty() const { return m_fields.isEmpty(); }
    qsizetype rowCount() const { return m_rows; }
    // The column of a field that means something to the list; -1 when the list has none.
    int column(Field field) const { return m_known[int(field)]; }

    // Appends a game's row; missing values are empty, values beyond the columns are dropped.
    void appendRow(const QStringList& values);
    void reserve(qsizetype rows);

    // Empty for a row or column that does not exist.
    QString value(qsizetype row, int column) const;
    QString value(qsizetype row, Field field) const { return value(row, column(field)); }
    // MAME's word for a driver that does not work yet.
    bool isPreliminary(qsizetype row) const;

private:
    QStringList m_fields;
    int m_known[6] = {-1, -1, -1, -1, -1, -1};
    qsizetype m_rows = 0;
    // Row-major, m_fields.size() per row; shared by the copies that the session and the list
    // keep, so that 50,000 games' details exist once.
    QList<QString> m_values;
};
