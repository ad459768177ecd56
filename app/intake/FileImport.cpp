#include "app/intake/FileImport.h"

#include "app/intake/FolderListing.h"
#include "platform/AtomicFile.h"
#include "platform/NativePath.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

namespace quillora::intake {
namespace {

std::optional<std::string> ReadWhole(const std::string& file)
{
    std::ifstream in(platform::PathFromUtf8(file), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

// Writes beside the target first and renames it over the target, so that a failed copy
// leaves an existing file of that name as it was. The copy gets the usual permissions.
bool WriteReplacing(const std::filesystem::path& target, const std::string& bytes)
{
    return !platform::ReplaceFileAtomically(target, bytes, platform::NewFileOptions{});
}

} // namespace

ImportOutcome ImportFiles(const std::vector<std::string>& files, const std::string& scannerDir)
{
    ImportOutcome outcome;
    for (const std::string& file : files) {
        const auto bytes = ReadWhole(file);
        if (!bytes) {
            outcome.failure = "ファイル「" + file +
                              "」を読み込めません。\n"
                              "ファイルがあるか、読み取りの権限があるかを確かめてください。";
            return outcome;
        }
        const std::string target = JoinPath(scannerDir, FileNamePart(file));
        if (!WriteReplacing(platform::PathFromUtf8(target), *bytes)) {
            outcome.failure = "スキャナフォルダーに「" + target +
                              "」を書き込めません。\n"
                              "フォルダーがあるか、書き込みの権限と空き容量があるかを確かめてください。";
            return outcome;
        }
        ++outcome.copied;
    }
    return outcome;
}

} // namespace quillora::intake
