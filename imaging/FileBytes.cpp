#include "imaging/FileBytes.h"

#include "imaging/ImageError.h"
#include "imaging/ImageLimits.h"

#include <QFile>
#include <QSaveFile>

namespace quillora::imaging {

std::vector<std::uint8_t> readFileBytes(const QString& fileName, const char* format)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw ImageError(ImageError::Kind::Open, fileName.toStdString(), format, file.errorString().toStdString());
    const qint64 size = file.size();
    if (size > kMaxFileBytes)
        throw ImageError(ImageError::Kind::Bounds, fileName.toStdString(), format, "file larger than 1.5 GB");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    qint64 done = 0;
    while (done < size) {
        const qint64 got = file.read(reinterpret_cast<char*>(bytes.data()) + done, size - done);
        if (got < 0)
            throw ImageError(ImageError::Kind::Open, fileName.toStdString(), format, file.errorString().toStdString());
        if (got == 0)
            break; // the file shrank while being read: decode what is there
        done += got;
    }
    bytes.resize(static_cast<std::size_t>(done));
    return bytes;
}

void writeFileBytes(const QString& fileName, const std::vector<std::uint8_t>& bytes, const char* format)
{
    QSaveFile file(fileName);
    const auto fail = [&] {
        throw ImageError(ImageError::Kind::Create, fileName.toStdString(), format, file.errorString().toStdString());
    };
    if (!file.open(QIODevice::WriteOnly))
        fail();
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size)
        fail();
    // QSaveFile buffers; a write that breaks off during the final flush (full disk, size
    // limit) is only seen here, and commit() would rename the truncated file into place.
    if (!file.flush())
        fail();
    if (!file.commit())
        fail();
}

} // namespace quillora::imaging
