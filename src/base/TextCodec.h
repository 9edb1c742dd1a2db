#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Text files from emulators, users and earlier runs: UTF-8 when the bytes are valid UTF-8 (a
// byte-order mark is dropped), otherwise one Latin-1 character per byte, so that files written
// in an 8-bit code page lose no byte and gain no replacement character.
QString DecodeText(const QByteArray& bytes);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequence.
bool IsValidUtf8(QByteArrayView bytes);
