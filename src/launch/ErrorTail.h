#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <deque>

// The last lines a program wrote to its error output, kept in bounded memory however much it
// writes: at most `maxLines` lines of at most `maxLineBytes` bytes each (a longer line keeps
// its beginning). Fed with the bytes as they arrive, cut anywhere.
class ErrorTail {
public:
    explicit ErrorTail(int maxLines = 20, int maxLineBytes = 1000)
        : m_maxLines(maxLines), m_maxLineBytes(maxLineBytes) {}

    void add(QByteArrayView bytes);
    // The lines kept, the unfinished last one included, decoded as every text file is.
    QStringList lines() const;

private:
    void endLine();

    int m_maxLines;
    int m_maxLineBytes;
    std::deque<QByteArray> m_lines;
    QByteArray m_partial;
    bool m_partialCut = false; // the unfinished line reached its limit: the rest is dropped
};
