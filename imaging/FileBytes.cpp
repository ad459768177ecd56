#include "imaging/FileBytes.h"

#include "imaging/ImageError.h"
#include "imaging/ImageLimits.h"

#include "imaging/NativeNames.h"

#include <QSaveFile>
#include <cerrno>
#include <cstring>

namespace quillora::imaging {

// The file is opened by its native name, so names that are not UTF-8 are read too.
OpenedImageFile openImageFile(const QString& fileName, const char* format)
{
    const auto fail = [&](ImageError::Kind kind, const std::string& detail) {
        throw ImageError(kind, fileName.toStdString(), format, detail);
    };
    const std::filesystem::path path = NativePath(fileName);
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!std::filesystem::exists(status))
        fail(ImageError::Kind::Open, ec ? ec.message() : "no such file");
    if (!std::filesystem::is_regular_file(status))
        fail(ImageError::Kind::Open, "not a regular file"); // a FIFO would block the read
    OpenedImageFile opened;
    if (!opened.file.open(path, std::ios::in | std::ios::binary))
        fail(ImageError::Kind::Open, std::strerror(errno));
    opened.size = static_cast<std::int64_t>(std::filesystem::file_size(path, ec));
    if (ec)
        fail(ImageError::Kind::Open, ec.message());
    if (opened.size > kMaxFileBytes)
        fail(ImageError::Kind::Bounds, "file of " + std::to_string(opened.size) + " bytes, larger than " +
                                           std::to_string(kMaxFileBytes) + " bytes");
    return opened;
}

std::vector<std::uint8_t> readFileBytes(const QString& fileName, const char* format)
{
    OpenedImageFile opened = openImageFile(fileName, format);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(opened.size));
    std::streamsize got = 0;
    try {
        got = opened.file.sgetn(reinterpret_cast<char*>(bytes.data()),
                                static_cast<std::streamsize>(bytes.size()));
    } catch (const std::exception& error) {
        throw ImageError(ImageError::Kind::Open, fileName.toStdString(), format, error.what());
    }
    // The file may have shrunk while being read: decode what is there.
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

void writeFileBytes(const QString& fileName, const std::vector<std::uint8_t>& bytes, const char* format)
{
    QSaveFile file(fileName);
    const auto fail = [&] {
        throw ImageError(ImageError::Kind::Create, fileName.toStdString(), format,
                         file.errorString().toStdString());
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
