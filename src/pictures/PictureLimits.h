#pragma once

#include <QtGlobal>

// How much a picture may cost before it is refused. A snapshot or title screen is well under a
// megabyte and a scanned flyer a few; the limits leave room for those and keep one hostile
// file (a zip bomb, a picture of 20,000 x 20,000 pixels) from taking more than about 100 MB:
// the file's bytes and its decoded pixels are what a picture holds in memory at once.
struct PictureLimits {
    qint64 maxFileBytes = 32 * 1024 * 1024; // a file, or a zip entry once uncompressed
    int maxSide = 8192;                     // pixels, width and height alike
    int maxDecodedMb = 64;                  // the decoded image, 4 bytes per pixel
};
