#include "gamelist/FileNameSet.h"

#include <QHashFunctions>

#include <algorithm>
#include <bit>

bool FileNameSet::add(QByteArrayView name) {
    if (quint64(m_bytes.size()) + quint64(name.size()) >= kFree)
        return false;
    m_names.push_back({std::uint32_t(m_bytes.size()), std::uint32_t(name.size())});
    m_bytes.append(name);
    return true;
}

bool FileNameSet::hasName(QByteArrayView name) const {
    for (const Span s : m_names)
        if (view(s) == name)
            return true;
    return false;
}

void FileNameSet::index(QByteArrayView prefix, QByteArrayView suffix) {
    // At most half the slots are taken, so a probe ends soon at a free one.
    m_slots.assign(std::bit_ceil(std::max<size_t>(16, 2 * m_names.size())), {0, kFree});
    const size_t mask = m_slots.size() - 1;
    for (const Span s : m_names) {
        const QByteArrayView file = view(s);
        if (file.size() < prefix.size() + suffix.size() || !file.startsWith(prefix) ||
            !file.endsWith(suffix))
            continue;
        const Span middle{s.offset + std::uint32_t(prefix.size()),
                          s.length - std::uint32_t(prefix.size() + suffix.size())};
        size_t slot = qHash(view(middle)) & mask;
        while (m_slots[slot].length != kFree)
            slot = (slot + 1) & mask;
        m_slots[slot] = middle;
    }
}

bool FileNameSet::contains(QByteArrayView middle) const {
    if (m_slots.empty())
        return false;
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = qHash(middle) & mask; m_slots[slot].length != kFree;
         slot = (slot + 1) & mask)
        if (view(m_slots[slot]) == middle)
            return true;
    return false;
}
