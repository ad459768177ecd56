#include "platform/AtomicFile.h"

#include "platform/TemporaryFile.h"

namespace quillora::platform {

std::error_code ReplaceFileAtomically(const std::filesystem::path& target, std::string_view content,
                                      NewFileOptions options)
{
    std::filesystem::path prefix = target.filename();
    prefix += ".";
    std::error_code error;
    TemporaryFile temporary = TemporaryFile::Create(target.parent_path(), prefix, error, options);
    if (error)
        return error;
    if ((error = temporary.WriteFlushAndClose(content)))
        return error;
    return temporary.PublishAs(target, true);
}

} // namespace quillora::platform
