#pragma once
// Button pictures of the editor, drawn at run time (no bundled artwork): one symbol per tool.
#include <QIcon>
#include <QString>

namespace quillora::editor {

QIcon glyphIcon(const QString& glyph);

} // namespace quillora::editor
