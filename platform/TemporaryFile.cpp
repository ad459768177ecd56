#include "platform/TemporaryFile.h"

#include <algorithm>
#include <random>
#include <string>
#include <utility>

namespace quillora::platform {
namespace {

constexpr std::string_view kSuffixCharacters = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kCreateAttempts = 100;

std::string RandomSuffix()
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    std::string suffix(kTemporarySuffixLength, 'x');
    for (auto& c : suffix)
        c = kSuffixCharacters[generator() % kSuffixCharacters.size()];
    return suffix;
}

} // namespace

bool HasTemporarySuffix(std::string_view name)
{
    if (name.size() < kTemporarySuffixLength)
        return false;
    const std::string_view suffix = name.substr(name.size() - kTemporarySuffixLength);
    return std::all_of(suffix.begin(), suffix.end(),
                       [](char c) { return kSuffixCharacters.find(c) != std::string_view::npos; });
}

TemporaryFile TemporaryFile::Create(const std::filesystem::path& folder, const std::filesystem::path& prefix,
                                    std::error_code& error, NewFileOptions options)
{
    options.hidden = true;
    TemporaryFile temporary;
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        std::filesystem::path path = folder / prefix;
        path += RandomSuffix();
        OpenedFile opened = CreateNewFile(path, options);
        error = opened.error;
        if (!error) {
            temporary.path_ = std::move(path);
            temporary.file_ = std::move(opened.file);
            return temporary;
        }
        if (error != std::errc::file_exists)
            return temporary;
    }
    return temporary;
}

TemporaryFile::~TemporaryFile() { Discard(); }

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : path_(std::exchange(other.path_, {})), file_(std::move(other.file_))
{
}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept
{
    if (this != &other) {
        Discard();
        path_ = std::exchange(other.path_, {});
        file_ = std::move(other.file_);
    }
    return *this;
}

void TemporaryFile::Discard()
{
    file_.Close();
    if (!path_.empty())
        RemoveFile(path_);
    path_.clear();
}

std::error_code TemporaryFile::WriteFlushAndClose(std::string_view bytes)
{
    if (auto error = file_.WriteAll(bytes))
        return error;
    if (auto error = file_.FlushToDevice())
        return error;
    return file_.Close();
}

std::error_code TemporaryFile::PublishAs(const std::filesystem::path& target, bool replaceExisting)
{
    file_.Close();
    if (auto error = PublishFile(path_, target, replaceExisting))
        return error;
    path_.clear();
    SyncFolder(target.parent_path());
    return {};
}

} // namespace quillora::platform
