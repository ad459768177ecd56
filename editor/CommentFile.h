#pragma once
// Comment list files of the editor: code page 932 text, one comment per line. Saving ends every
// item with CR LF; loading ends a line at CR LF, a lone CR or a lone LF, and a line break at the
// end of the file adds no empty item (an empty line inside the file is an empty item).
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quillora::editor {

class CommentFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

QStringList parseCommentText(std::string_view cp932);
std::string formatCommentText(const QStringList& items);

// Throw CommentFileError naming the file when it cannot be read or written. Saving replaces
// the file atomically, so a failed save leaves the old file as it was.
QStringList loadCommentFile(const QString& fileName);
void saveCommentFile(const QString& fileName, const QStringList& items);

} // namespace quillora::editor
