#pragma once

#include "pictures/PictureLimits.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// Turns a picture file's bytes into the image the pane shows: decoded with Qt's image
// plugins, scaled smoothly to fit a box with its aspect ratio kept. It lives beside the pane
// because decoding needs Qt Gui; it touches no widget and runs on any thread.
namespace PictureDecoder {

struct Result {
    QImage image;    // fitted into the box; null when the file cannot be shown
    QString problem; // why not; empty for a decoded image
};

// The suffixes of the formats Qt's image plugins read, in lower case.
QStringList readableSuffixes();

// Refuses, before decoding, an image whose header states more than the limits allow; a
// PNG or JPEG that is cut off; and anything the plugins cannot read. A format that states no
// size before decoding is held by Qt's own allocation limit (128 MB) and checked after.
Result decode(const QByteArray& bytes, const QSize& box, const PictureLimits& limits);

// The largest size of the aspect ratio of `image` that fits `box`.
QSize fitted(const QSize& image, const QSize& box);

} // namespace PictureDecoder
