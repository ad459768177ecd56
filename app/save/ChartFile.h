#pragma once
// Puts the bytes of a finished chart on disk under its name, all or nothing: they go to a
// hidden temporary file in the patient folder, are flushed to the device, read back and
// compared, and only then renamed to the chart's name. Without replacing, the rename never
// replaces a file that appeared meanwhile, so two workstations saving the same chart at once
// cannot overwrite each other; a file system that cannot rename without replacing is refused.
// Whatever fails, the temporary file is removed and an existing chart of the name is left as
// it was.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quillora::save {

enum class PublishStatus {
    Published,
    AlreadyExists, // replacing not allowed and a file of the name exists
    CannotCreate,  // the temporary file could not be made in the folder
    WriteFailed,   // writing or flushing failed (disk full, file too large, I/O error)
    VerifyFailed,  // what was read back differs from what was written
    CannotReplace, // the final rename failed (e.g. a folder of that name)
};

struct PublishOutcome {
    PublishStatus status = PublishStatus::Published;
    std::string detail; // the system's reason when something failed
    bool ok() const { return status == PublishStatus::Published; }
};

struct PublishHooks {
    // Called with the temporary file after it was written and closed, before it is read back.
    std::function<void(const std::filesystem::path&)> afterWrite;
};

inline constexpr const char* kNoExclusiveRename =
    "この保存先は、上書きしない保存（排他的な名前変更）に対応していないため、保存できません。";

// Removes temporaries of PublishChart's naming pattern older than `age` that a killed save
// left in `folder`; returns how many. Charts and other files are never touched. PublishChart
// calls it before writing.
int RemoveStaleTemporaries(const std::filesystem::path& folder,
                           std::chrono::minutes age = std::chrono::minutes(10));

PublishOutcome PublishChart(const std::filesystem::path& folder, const std::string& chartName,
                            std::string_view bytes, bool replaceExisting, const PublishHooks& hooks = {});

} // namespace quillora::save
