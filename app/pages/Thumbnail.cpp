#include "app/pages/Thumbnail.h"

#include "imaging/ImageError.h"
#include "imaging/Thumbnails.h"

namespace quillora::pages {

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
            result.error = QString::fromUtf8(error.what());
        }
    }
    return result;
}

} // namespace quillora::pages
