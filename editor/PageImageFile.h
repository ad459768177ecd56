#pragma once
// Reading a page's image file into the editor's 32-bit working copy and writing the copy back
// into the same file in its own type (the format of the extension, the codec's defaults).
// A bilevel, palette or greyscale page is written back in its own pixel format as long as
// every pixel of the copy still has one of its colours (greys for a greyscale page); once
// other colours were drawn into it, it is written in colour.
#include <QImage>
#include <QString>
#include <QVector>

namespace quillora::editor {

struct PageImage {
    QImage work; // 32-bit working copy; null when the read failed
    QImage::Format fileFormat = QImage::Format_Invalid;
    QVector<QRgb> colorTable; // of a palette or bilevel file
    QString error;            // why the read failed (empty when it worked)
};

enum class SaveOutcome { Saved, WriteProtected, Failed };

struct SaveResult {
    SaveOutcome outcome;
    QString error; // detail of a failed write
};

PageImage readPageImage(const QString& fileName);

// True when the file no longer exists or is marked read-only (no owner write permission).
bool isWriteProtected(const QString& fileName);

// The working copy in the pixel format the file is written in (see above).
QImage toFileFormat(const PageImage& page, const QImage& work);

// Checks the write protection, then writes through the imaging layer, which replaces the
// file only once the new content is complete.
SaveResult writePageImage(const QString& fileName, const PageImage& page, const QImage& work);

} // namespace quillora::editor
