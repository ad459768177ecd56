#include "imaging/FileBytes.h"

#include "imaging/ImageError.h"
#include "imaging/ImageLimits.h"

#include "imaging/NativeNames.h"

#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fstream>

namespace quillora::imaging {

// The file is opened by its native name, so names that are not UTF-8 are read too.
std::vector<std::uint8_t> readFileBytes(const QString& fileName, const char* format)
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
    std::ifstream file(path, std::ios::binary);
    if (!file)
        fail(ImageError::Kind::Open, std::strerror(errno));
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path, ec));
    if (ec)
        fail(ImageError::Kind::Open, ec.message());
    if (size > kMaxFileBytes)
        fail(ImageError::Kind::Bounds, "file of " + std::to_string(size) + " bytes, larger than " +
                                           std::to_string(kMaxFileBytes) + " bytes");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (file.bad())
        fail(ImageError::Kind::Open, "read error");
    // The file may have shrunk while being read: decode what is there.
    bytes.resize(static_cast<std::size_t>(file.gcount()));
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
