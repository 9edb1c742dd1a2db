#include "pictures/ui/PictureDecoder.h"

#include "pictures/PictureIntegrity.h"

#include <QBuffer>
#include <QImageReader>

namespace PictureDecoder {

namespace {

QString tooLarge(const QSize& size) {
    return QStringLiteral("is %1 x %2 pixels, more than a picture may have")
        .arg(size.width())
        .arg(size.height());
}

bool withinLimits(const QSize& size, const PictureLimits& limits) {
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    return size.width() <= limits.maxSide && size.height() <= limits.maxSide &&
           bytes <= qint64(limits.maxDecodedMb) * 1024 * 1024;
}

} // namespace

QStringList readableSuffixes() {
    QStringList suffixes;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        suffixes << QString::fromLatin1(format).toLower();
    return suffixes;
}

QSize fitted(const QSize& image, const QSize& box) {
    if (image.isEmpty() || box.isEmpty())
        return {};
    return image.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

Result decode(const QByteArray& bytes, const QSize& box, const PictureLimits& limits) {
    Result result;
    if (const QString damage = PictureIntegrity::damage(bytes); !damage.isEmpty()) {
        result.problem = damage;
        return result;
    }
    QByteArray data = bytes; // shared, not copied: the buffer only reads it
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // The reader's allocation limit is one for the whole process (128 MB unless changed), so it
    // is left alone; the size the header states is checked here instead.
    const QSize stated = reader.size();
    if (stated.isValid()) {
        if (!withinLimits(stated, limits)) {
            result.problem = tooLarge(stated);
            return result;
        }
        // Formats that can (JPEG) decode straight to the smaller size; the others are scaled
        // smoothly by the reader after decoding.
        if (const QSize size = fitted(stated, box); size.isValid())
            reader.setScaledSize(size);
    }
    QImage image = reader.read();
    if (image.isNull()) {
        result.problem = QStringLiteral("cannot be shown (%1)").arg(reader.errorString());
        return result;
    }
    if (!withinLimits(image.size(), limits) && !stated.isValid()) {
        result.problem = tooLarge(image.size());
        return result;
    }
    if (const QSize size = fitted(image.size(), box); size.isValid() && size != image.size())
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    result.image = std::move(image);
    return result;
}

} // namespace PictureDecoder
