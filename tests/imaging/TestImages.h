#pragma once
// Generated test pictures and small file helpers for the imaging tests.
#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

namespace quillora::imaging::test {

QImage colourImage(int width, int height);  // RGB888 gradients with some texture
QImage greyImage(int width, int height);    // Grayscale8
QImage bilevelImage(int width, int height); // Format_Mono, white = 0, black = 1, a pattern of dots
QImage paletteImage(int width, int height); // Indexed8 with 16 colours

// Pixels as 32-bit RGB, so images of different formats compare by colour.
QImage asRgb32(const QImage& image);

void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);

} // namespace quillora::imaging::test
