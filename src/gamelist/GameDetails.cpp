#include "gamelist/GameDetails.h"

namespace {

constexpr const char* kKnownNames[] = {"Year", "Manufacturer", "Parent",
                                       "Status", "Players", "Category"};

} // namespace

GameDetails::GameDetails(QStringList fields) : m_fields(std::move(fields)) {
    for (int known = 0; known < 6; ++known)
        for (int c = 0; c < m_fields.size(); ++c)
            if (m_known[known] < 0 &&
                m_fields[c].compare(QLatin1String(kKnownNames[known]), Qt::CaseInsensitive) == 0)
                m_known[known] = c;
}

QStringList GameDetails::fieldsFrom(const QString& setting) {
    QStringList fields;
    for (QString part : setting.split(u';')) {
        // A tab or line break would end a name early in the details cache's first line.
        for (QChar& c : part)
            if (c.unicode() < 0x20)
                c = u' ';
        const QString name = part.trimmed();
        if (!name.isEmpty() && !fields.contains(name, Qt::CaseInsensitive))
            fields.append(name);
    }
    return fields;
}

void GameDetails::appendRow(const QStringList& values) {
    for (int c = 0; c < m_fields.size(); ++c)
        m_values.append(c < values.size() ? values[c] : QString());
    ++m_rows;
}

void GameDetails::reserve(qsizetype rows) {
    m_values.reserve(rows * m_fields.size());
}

QString GameDetails::value(qsizetype row, int column) const {
    if (row < 0 || row >= m_rows || column < 0 || column >= m_fields.size())
        return QString();
    return m_values[row * m_fields.size() + column];
}

bool GameDetails::isPreliminary(qsizetype row) const {
    return value(row, Field::Status).compare(QLatin1String("preliminary"), Qt::CaseInsensitive) ==
           0;
}
