#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace control {

// Encodes an image as a colour (three-component), baseline JPEG of the given quality
// (1 to 100). On failure the result is empty and *error, if given, says why.
QByteArray EncodeJpeg(const QImage &image, int quality, QString *error = nullptr);

} // namespace control
