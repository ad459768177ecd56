#include "app/pages/PageFit.h"

#include "app/compose/PageImage.h"

#include <QImageReader>

namespace quillora::pages {

QSize PictureArea(int pdfWidth, int pdfHeight)
{
    return {pdfWidth - kPageImageInset, pdfHeight - kPageImageInset};
}

QString FirstLargerThan(const QStringList& files, const QSize& area)
{
    for (const QString& file : files) {
        QImageReader reader(file);
        const QSize size = reader.size(); // header only, no decoding
        if (size.isValid() && (size.width() > area.width() || size.height() > area.height()))
            return file;
    }
    return {};
}

} // namespace quillora::pages
