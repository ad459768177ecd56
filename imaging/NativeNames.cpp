#include "imaging/NativeNames.h"

#include "platform/NativePath.h"

namespace quillora::imaging {
namespace {

std::u16string_view Utf16Of(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace

QString NativeToQString(const std::string& bytes)
{
    return QString::fromStdU16String(platform::Utf16FromNativeBytes(bytes));
}

std::string QStringToNative(const QString& text) { return platform::NativeBytesFromUtf16(Utf16Of(text)); }

std::filesystem::path NativePath(const QString& text) { return platform::PathFromUtf16(Utf16Of(text)); }

} // namespace quillora::imaging
