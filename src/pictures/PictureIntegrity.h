#pragma once

#include <QByteArray>
#include <QString>

// Whether a PNG or JPEG file is complete, checked on its structure before it is decoded. The
// decoders show a cut-off file as far as it goes (a JPEG with a grey lower part) or stop with
// a message of their own on the terminal at every attempt; a cut-off file is shown as no
// picture instead, with one warning. Other formats, and files that are not PNG or JPEG at
// all, are left to the decoder.
namespace PictureIntegrity {

// Empty when the file is complete or not a PNG or JPEG; otherwise what is wrong.
QString damage(const QByteArray& bytes);

} // namespace PictureIntegrity
