#pragma once

#include <QByteArray>
#include <QString>

// What a lookup found for a game: no picture, the bytes of its picture file, or a picture file
// that cannot be read within the limits.
struct PictureFile {
    QString origin;   // the file, as a warning names it; empty when there is no picture
    QByteArray bytes; // the whole file, when it could be read
    QString problem;  // why it cannot be shown; empty when the bytes are there

    bool found() const { return !origin.isEmpty(); }
    bool readable() const { return found() && problem.isEmpty(); }
};
