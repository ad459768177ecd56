#pragma once
// Whole-file image reads and writes by extension, without the component state of TImageIO.
// Both throw quillora::imaging::ImageError: Kind::Open / Kind::Create for file-system failures,
// Kind::Decode, Kind::Bounds, Kind::Encode for the data; an unknown extension is Kind::Decode
// (reading) or Kind::Encode (writing) with the format "unknown".
#include <QImage>
#include <QString>
#include <cstdint>
#include <span>

namespace quillora::imaging {

QImage readImageFile(const QString& fileName);
// The decoding step of readImageFile for bytes already in memory; `fileName` chooses the
// format by its extension and names the file in errors.
QImage decodeImageBytes(std::span<const std::uint8_t> bytes, const QString& fileName);
void writeImageFile(const QImage& image, const QString& fileName);

} // namespace quillora::imaging
