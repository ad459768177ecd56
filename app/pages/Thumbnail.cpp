#include "app/pages/Thumbnail.h"

#include "imaging/ImageError.h"
#include "imaging/Thumbnails.h"

#include <QDir>

namespace quillora::pages {

QString UnreadableFileMessage(const QString& file)
{
    return QStringLiteral("ファイル「%1」を開くことができません。\n"
                          "ファイルがあるか、読み取りの権限があるかを確かめてください。")
        .arg(QDir::toNativeSeparators(file));
}

Thumbnail FailedThumbnail(const QString& file, const QString& detail)
{
    Thumbnail result;
    result.outcome = Thumbnail::Outcome::Failed;
    result.error = QStringLiteral("ファイル「%1」の縮小画像を作ることができません。\n%2")
                       .arg(QDir::toNativeSeparators(file), detail);
    return result;
}

Thumbnail MakeThumbnailPicture(const QString& file, int side, bool stretch)
{
    Thumbnail result;
    try {
        result.picture = imaging::thumbnailFromFile(file, side, stretch);
        if (!result.picture.isNull())
            result.outcome = Thumbnail::Outcome::Made;
    } catch (const imaging::ImageError& error) {
        // Only a file that cannot be opened ends the intake; undecodable data leaves the page
        // without a picture.
        if (error.kind() == imaging::ImageError::Kind::Open) {
            result.outcome = Thumbnail::Outcome::Unreadable;
            result.error = UnreadableFileMessage(file);
        }
    }
    return result;
}

} // namespace quillora::pages
