#include "PictureTestFiles.h"

#include <QFile>
#include <QtEndian>

#include <zip.h>

namespace PictureTestFiles {

namespace {

quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray BigEndian32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

// Rewrites the 4-byte little-endian field at `offset` after every occurrence of `signature`.
void PatchAfter(QByteArray& file, const QByteArray& signature, int offset, quint32 value) {
    for (qsizetype at = file.indexOf(signature); at >= 0; at = file.indexOf(signature, at + 1))
        if (at + offset + 4 <= file.size())
            qToLittleEndian(value, file.data() + at + offset);
}

} // namespace

QByteArray PngChunk(const QByteArray& type, const QByteArray& data) {
    return BigEndian32(quint32(data.size())) + type + data + BigEndian32(Crc32(type + data));
}

QByteArray PngHeaderOnly(quint32 width, quint32 height) {
    const QByteArray header =
        BigEndian32(width) + BigEndian32(height) + QByteArray("\x08\x06\0\0\0", 5);
    return QByteArray("\x89PNG\r\n\x1a\n") + PngChunk("IHDR", header) +
           PngChunk("IDAT", QByteArray(16, '\0')) + PngChunk("IEND", {});
}

QByteArray JpegSkeleton(const QByteArray& scanBytes, bool withEnd) {
    const QByteArray app0 = QByteArray("\xff\xe0\x00\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 18);
    const QByteArray sos = QByteArray("\xff\xda\x00\x08\x01\x01\x00\x00\x3f\x00", 10);
    return QByteArray("\xff\xd8") + app0 + sos + scanBytes +
           (withEnd ? QByteArray("\xff\xd9") : QByteArray());
}

bool WriteZip(const QString& path, const QList<ZipEntry>& entries) {
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const ZipEntry& entry : entries) {
        // libzip reads the buffer when the archive is closed and frees it then (an empty one
        // it never takes).
        void* copy = nullptr;
        if (!entry.bytes.isEmpty()) {
            copy = malloc(size_t(entry.bytes.size()));
            memcpy(copy, entry.bytes.constData(), size_t(entry.bytes.size()));
        }
        zip_source_t* source =
            zip_source_buffer(archive, copy, zip_uint64_t(entry.bytes.size()), copy ? 1 : 0);
        const zip_int64_t index =
            source ? zip_file_add(archive, entry.name.toUtf8().constData(), source, 0) : -1;
        if (index < 0 && source)
            zip_source_free(source);
        if (index < 0 ||
            zip_set_file_compression(archive, zip_uint64_t(index),
                                     entry.deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE, 0) != 0) {
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}

bool DeclareSize(const QString& path, quint32 size) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    file.close();
    PatchAfter(bytes, QByteArray("PK\x03\x04"), 22, size); // local file header
    PatchAfter(bytes, QByteArray("PK\x01\x02"), 24, size); // central directory
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace PictureTestFiles
