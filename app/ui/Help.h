#pragma once
// Where the Japanese manual that ships with the program lies: installed under the prefix
// (share/quillora/manual), beside the program (Windows layout), or in the source tree of a
// build that was not installed.
#include <QString>

namespace quillora::ui {

// Full path of the manual's index.html; empty when none is found.
QString ManualPath();

} // namespace quillora::ui
