#include "app/pages/Captions.h"

#include "platform/Cp932.h"

namespace quillora::pages {

QString cutToBytes(const QString& text, int maxBytes)
{
    const QByteArray utf8 = text.toUtf8();
    const std::string cut =
        platform::cutToCp932Length(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())),
                                   static_cast<std::size_t>(maxBytes < 0 ? 0 : maxBytes));
    return QString::fromUtf8(cut.data(), static_cast<qsizetype>(cut.size()));
}

} // namespace quillora::pages
