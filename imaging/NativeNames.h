#pragma once
// File names carried through QString without loss: the native-name conversion of
// platform/NativePath.h on QString. On POSIX bytes that are not UTF-8 become the lone
// surrogates U+DC80..U+DCFF in QString and turn back into the same bytes. Valid UTF-8 converts
// exactly as QString::fromUtf8 / toUtf8 do.
#include <QString>
#include <filesystem>
#include <string>

namespace quillora::imaging {

QString NativeToQString(const std::string& bytes);
std::string QStringToNative(const QString& text);
std::filesystem::path NativePath(const QString& text);

} // namespace quillora::imaging
