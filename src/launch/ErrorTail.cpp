#include "launch/ErrorTail.h"

#include "base/TextCodec.h"

void ErrorTail::add(QByteArrayView bytes) {
    for (const char c : bytes) {
        if (c == '\n') {
            endLine();
        } else if (m_partial.size() < m_maxLineBytes) {
            m_partial.append(c);
        } else {
            m_partialCut = true;
        }
    }
}

void ErrorTail::endLine() {
    if (m_partial.endsWith('\r'))
        m_partial.chop(1);
    m_lines.push_back(std::move(m_partial));
    m_partial.clear();
    m_partialCut = false;
    while (m_lines.size() > size_t(m_maxLines))
        m_lines.pop_front();
}

QStringList ErrorTail::lines() const {
    QStringList result;
    for (const QByteArray& line : m_lines)
        result.append(DecodeText(line));
    if (!m_partial.isEmpty())
        result.append(DecodeText(m_partial));
    while (result.size() > m_maxLines)
        result.removeFirst();
    return result;
}
