#include "editor/CommentFile.h"

#include "platform/AtomicFile.h"
#include "platform/Cp932.h"
#include "platform/NativePath.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace quillora::editor {
namespace {

QString fromCp932Line(std::string_view line) { return QString::fromStdString(platform::fromCp932(line)); }

std::filesystem::path toPath(const QString& fileName)
{
    return platform::PathFromUtf16(fileName.toStdU16String());
}

} // namespace

QStringList parseCommentText(std::string_view cp932)
{
    QStringList items;
    std::size_t start = 0;
    for (std::size_t k = 0; k < cp932.size(); ++k) {
        const char c = cp932[k];
        if (c != '\r' && c != '\n')
            continue;
        items << fromCp932Line(cp932.substr(start, k - start));
        if (c == '\r' && k + 1 < cp932.size() && cp932[k + 1] == '\n')
            ++k;
        start = k + 1;
    }
    if (start < cp932.size())
        items << fromCp932Line(cp932.substr(start));
    return items;
}

std::string formatCommentText(const QStringList& items)
{
    std::string text;
    for (const QString& item : items) {
        text += platform::toCp932(item.toStdString());
        text += "\r\n";
    }
    return text;
}

QStringList loadCommentFile(const QString& fileName)
{
    std::ifstream in(toPath(fileName), std::ios::binary);
    if (!in)
        throw CommentFileError("cannot open " + fileName.toStdString());
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw CommentFileError("cannot read " + fileName.toStdString());
    return parseCommentText(bytes);
}

void saveCommentFile(const QString& fileName, const QStringList& items)
{
    const std::error_code error = platform::ReplaceFileAtomically(toPath(fileName), formatCommentText(items));
    if (error)
        throw CommentFileError("cannot write " + fileName.toStdString() + ": " + error.message());
}

} // namespace quillora::editor
