#include "app/pages/PatientPages.h"

#include "app/pages/PageList.h"
#include "imaging/ImageError.h"
#include "imaging/ImageFiles.h"

namespace quillora::pages {

namespace {

QString cannotOpen(const QString& file)
{
    return QStringLiteral(
               "%1　「%2」を開けません。ファイルがあるか確かめ、無ければそのページを削除してください。")
        .arg(QString::fromUtf8(kCannotOpenText), PageList::fileNamePart(file));
}

QString unsupported(const QString& file)
{
    return QStringLiteral(
               "%1　「%2」は画像として読めません。そのページを削除するか、読み込み直してください。")
        .arg(QString::fromUtf8(kUnsupportedText), PageList::fileNamePart(file));
}

} // namespace

PatientPage ReadPatientPage(const QString& file)
{
    PatientPage page;
    try {
        page.image = imaging::readImageFile(file);
        if (page.image.isNull())
            page.message = unsupported(file);
    } catch (const imaging::ImageError& error) {
        page.message = error.kind() == imaging::ImageError::Kind::Open ? cannotOpen(file) : unsupported(file);
    }
    return page;
}

} // namespace quillora::pages
