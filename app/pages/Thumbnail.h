#pragma once
// Making the thumbnail picture of one page image. A pure function of the file and the
// picture geometry, so that it can run on worker threads.
#include <QImage>
#include <QString>

namespace quillora::pages {

struct Thumbnail {
    enum class Outcome {
        Made,        // picture holds the thumbnail
        Undecodable, // unknown format or data that cannot be decoded: the page has no picture
        Unreadable,  // the file cannot be opened: error holds the message
        Failed       // making the picture failed otherwise (memory, ...): error holds the message
    };
    Outcome outcome = Outcome::Undecodable;
    QImage picture;
    QString error;

    // The clerk is told (error), as for a file that cannot be opened.
    bool failed() const { return outcome == Outcome::Unreadable || outcome == Outcome::Failed; }
};

// The clerk's message for a page image that cannot be opened, naming the file.
QString UnreadableFileMessage(const QString& file);

// A Failed thumbnail whose message names the file and what went wrong.
Thumbnail FailedThumbnail(const QString& file, const QString& detail);

// Reads `file` by its extension and draws it into a white side x side square: stretched
// over the whole square, or fitted with its aspect kept and centred. No smoothing.
Thumbnail MakeThumbnailPicture(const QString& file, int side, bool stretch);

} // namespace quillora::pages
