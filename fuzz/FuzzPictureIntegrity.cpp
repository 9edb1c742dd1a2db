// Any bytes as a picture file: the structure check of PNG and JPEG files ends on any input,
// says nothing of a file that is neither, and judges a file by its bytes alone.
#include "pictures/PictureIntegrity.h"

#include "FuzzScratch.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool looksLikePngOrJpeg(const QByteArray& bytes) {
    return bytes.startsWith("\x89PNG") || bytes.startsWith("\xFF\xD8");
}

} // namespace

using FuzzScratch::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString damage = PictureIntegrity::damage(bytes);
    require(damage == PictureIntegrity::damage(QByteArray(bytes.constData(), bytes.size())));
    if (!looksLikePngOrJpeg(bytes))
        require(damage.isEmpty());
    // The same file cut short: still an answer, and a cut PNG signature is no PNG.
    if (bytes.size() > 1)
        PictureIntegrity::damage(bytes.left(bytes.size() / 2));
    return 0;
}
