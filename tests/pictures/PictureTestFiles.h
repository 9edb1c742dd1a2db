#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Picture files and zip archives made for the tests: PNG and JPEG structures put together
// chunk by chunk, and archives written with libzip, some with the sizes their headers declare
// changed afterwards.
namespace PictureTestFiles {

// A PNG chunk: length, type, data and its CRC.
QByteArray PngChunk(const QByteArray& type, const QByteArray& data);
// A PNG with its header (IHDR, 8-bit RGBA), a few bytes of image data and its end chunk:
// enough for a reader to learn its size, far too little to decode.
QByteArray PngHeaderOnly(quint32 width, quint32 height);
// A JPEG's structure with `scanBytes` of entropy-coded data after its start of scan; with or
// without the end marker.
QByteArray JpegSkeleton(const QByteArray& scanBytes, bool withEnd);

struct ZipEntry {
    QString name;
    QByteArray bytes;
    bool deflate = true;
};
// Writes a zip archive; false when libzip cannot.
bool WriteZip(const QString& path, const QList<ZipEntry>& entries);
// Changes the uncompressed size that the archive's headers declare for every entry (the local
// header and the central directory alike), as a zip bomb or a damaged archive may declare it.
bool DeclareSize(const QString& path, quint32 size);

} // namespace PictureTestFiles
