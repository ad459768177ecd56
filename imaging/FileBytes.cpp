#include "imaging/FileBytes.h"

#include "imaging/ImageError.h"
#include "imaging/ImageLimits.h"

#include "imaging/NativeNames.h"

#include <QSaveFile>
#include <algorithm>
#include <cstring>
#include <system_error>

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
    platform::OpenedFile opened = platform::OpenForReading(path);
    if (opened.error == std::errc::invalid_argument)
        fail(ImageError::Kind::Open, "not a regular file"); // put there after the look above
    if (opened.error)
        fail(ImageError::Kind::Open, opened.error.message());
    const auto size = static_cast<std::int64_t>(std::filesystem::file_size(path, ec));
    if (ec)
        fail(ImageError::Kind::Open, ec.message());
    if (size > kMaxFileBytes)
        fail(ImageError::Kind::Bounds, "file of " + std::to_string(size) + " bytes, larger than " +
                                           std::to_string(kMaxFileBytes) + " bytes");
    return OpenedImageFile{FileReadBuffer(std::move(opened.file)), size};
}

std::size_t FileReadBuffer::Read(char* into, std::size_t size)
{
    std::size_t got = 0;
    if (const std::error_code error = file_.ReadSome(into, size, got))
        throw std::system_error(error, "reading the file");
    return got;
}

FileReadBuffer::int_type FileReadBuffer::underflow()
{
    const std::size_t got = Read(buffer_.data(), buffer_.size());
    if (got == 0)
        return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
    return traits_type::to_int_type(buffer_[0]);
}

// Large reads go straight into the caller's memory, after what is left in the buffer.
std::streamsize FileReadBuffer::xsgetn(char* into, std::streamsize count)
{
    std::streamsize done = std::min<std::streamsize>(count, egptr() - gptr());
    if (done > 0) {
        std::memcpy(into, gptr(), static_cast<std::size_t>(done));
        setg(eback(), gptr() + done, egptr());
    }
    while (done < count) {
        const std::size_t got = Read(into + done, static_cast<std::size_t>(count - done));
        if (got == 0)
            break;
        done += static_cast<std::streamsize>(got);
    }
    return done;
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
