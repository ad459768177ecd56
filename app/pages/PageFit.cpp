#include "app/pages/PageFit.h"

#include "app/compose/PageImage.h"
#include "imaging/ImageHeader.h"

namespace quillora::pages {

QSize PictureArea(int pdfWidth, int pdfHeight)
{
    return {pdfWidth - kPageImageInset, pdfHeight - kPageImageInset};
}

QString FirstLargerThan(const QStringList& files, const QSize& area)
{
    for (const QString& file : files) {
        const std::optional<QSize> size = imaging::ReadImageSize(file); // header only, no decoding
        if (size && (size->width() > area.width() || size->height() > area.height()))
            return file;
    }
    return {};
}

} // namespace quillora::pages
