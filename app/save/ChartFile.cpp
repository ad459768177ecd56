#include "app/save/ChartFile.h"

#include "platform/NativePath.h"
#include "platform/TemporaryFile.h"

#include <cstring>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace quillora::save {
namespace {

constexpr const char* kTemporaryPrefix = ".~";

// Whether `name` has the form of our temporaries: ".~", a chart name ending in ".pdf", ".",
// the random suffix of a temporary file. A chart's own name never starts with ".~".
bool IsTemporaryName(const std::string& name)
{
    const std::string_view tail = ".pdf.";
    const std::size_t suffixLength = platform::kTemporarySuffixLength;
    if (name.size() < 2 + tail.size() + suffixLength || !name.starts_with(kTemporaryPrefix))
        return false;
    const std::size_t suffix = name.size() - suffixLength;
    return name.compare(suffix - tail.size(), tail.size(), tail) == 0 && platform::HasTemporarySuffix(name);
}

PublishOutcome Verify(const fs::path& file, std::string_view bytes)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return {PublishStatus::VerifyFailed, "the written chart cannot be read back"};
    std::vector<char> chunk(1 << 20);
    std::size_t offset = 0;
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0)
            break;
        if (offset + got > bytes.size() || std::memcmp(chunk.data(), bytes.data() + offset, got) != 0)
            return {PublishStatus::VerifyFailed, "the written chart differs from the composed one"};
        offset += got;
    }
    if (in.bad() || offset != bytes.size())
        return {PublishStatus::VerifyFailed, "the written chart is incomplete"};
    return {};
}

// Writes the chart into a new temporary file beside it, flushed to the device and closed.
PublishOutcome WriteTemporary(const fs::path& folder, const std::string& chartName, std::string_view bytes,
                              platform::TemporaryFile& temporary)
{
    std::error_code error;
    temporary = platform::TemporaryFile::Create(
        folder, platform::PathFromUtf8(kTemporaryPrefix + chartName + "."), error);
    if (error)
        return {PublishStatus::CannotCreate, error.message()};
    platform::FileHandle& file = temporary.File();
    if (!(error = file.WriteAll(bytes)) && !(error = file.FlushToDevice())) {
        file.DropCachedPages();
        error = file.Close();
    }
    if (error)
        return {PublishStatus::WriteFailed, error.message()};
    return {};
}

PublishOutcome Publish(platform::TemporaryFile& temporary, const fs::path& target, bool replaceExisting)
{
    const std::error_code error = temporary.PublishAs(target, replaceExisting);
    if (!error)
        return {};
    if (!replaceExisting && error == std::errc::file_exists)
        return {PublishStatus::AlreadyExists, error.message()};
    if (!replaceExisting && error == std::errc::not_supported)
        return {PublishStatus::CannotReplace, kNoExclusiveRename};
    return {PublishStatus::CannotReplace, error.message()};
}

} // namespace

int RemoveStaleTemporaries(const fs::path& folder, std::chrono::minutes age)
{
    const auto limit = fs::file_time_type::clock::now() - age;
    int removed = 0;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code entryError;
        if (!IsTemporaryName(platform::Utf8FromPath(it->path().filename())) ||
            !it->is_regular_file(entryError))
            continue;
        const auto written = fs::last_write_time(it->path(), entryError);
        if (!entryError && written < limit && fs::remove(it->path(), entryError))
            ++removed;
    }
    return removed;
}

PublishOutcome PublishChart(const fs::path& folder, const std::string& chartName, std::string_view bytes,
                            bool replaceExisting, const PublishHooks& hooks)
{
    RemoveStaleTemporaries(folder);
    platform::TemporaryFile temporary;
    PublishOutcome outcome = WriteTemporary(folder, chartName, bytes, temporary);
    if (!outcome.ok())
        return outcome;
    if (hooks.afterWrite)
        hooks.afterWrite(temporary.Path());
    outcome = Verify(temporary.Path(), bytes);
    if (!outcome.ok())
        return outcome;
    return Publish(temporary, folder / platform::PathFromUtf8(chartName), replaceExisting);
}

} // namespace quillora::save
