#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>
#include <vector>

// The names of the files in a folder, as the file system's bytes, all kept in one block.
// A folder of 50,000 ROM files costs a few allocations where a set of strings costs two per
// name, and at start-up every page of memory touched for the first time costs its fault.
//
// Names are added first; index() then makes the set answer contains() for the middles of
// the names that begin with a given prefix and end with a given suffix.
class FileNameSet {
public:
    // False, and nothing kept, when the names would outgrow what the set can hold.
    bool add(QByteArrayView name);
    qsizetype size() const { return qsizetype(m_names.size()); }
    QByteArrayView name(qsizetype i) const { return view(m_names[size_t(i)]); }
    // A linear search over every name added: for a single question, not for lookups.
    bool hasName(QByteArrayView name) const;

    void index(QByteArrayView prefix, QByteArrayView suffix);
    bool contains(QByteArrayView middle) const;

private:
    struct Span {
        std::uint32_t offset;
        std::uint32_t length;
    };
    static constexpr std::uint32_t kFree = UINT32_MAX;

    QByteArrayView view(Span s) const { return QByteArrayView(m_bytes).sliced(s.offset, s.length); }

    QByteArray m_bytes;        // every name, one after another
    std::vector<Span> m_names; // as added
    std::vector<Span> m_slots; // open addressing over the middles; a power of two in size
};
