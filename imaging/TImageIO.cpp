#include "imaging/TImageIO.h"

#include "imaging/ImageError.h"
#include "imaging/ImageFiles.h"
#include "imaging/sane/SaneScanner.h"

using quillora::imaging::ImageError;

namespace {

bool isFileSystemFailure(const ImageError& error)
{
    return error.kind() == ImageError::Kind::Open || error.kind() == ImageError::Kind::Create;
}

} // namespace

void TImageIO::AttachBitmap(QImage* bitmap) { current_ = bitmap ? bitmap : &own_; }

void TImageIO::ReadImageFile(const QString& fileName)
{
    runFileOperation([&] { *current_ = quillora::imaging::readImageFile(fileName); });
}

void TImageIO::WriteImageFile(const QString& fileName)
{
    runFileOperation([&] { quillora::imaging::writeImageFile(*current_, fileName); });
}

// Failed stays set unless the operation completes. File-system failures propagate to the caller;
// data failures end with Failed set and the reason in LastError.
void TImageIO::runFileOperation(const std::function<void()>& operation)
{
    failed_ = true;
    try {
        operation();
        failed_ = false;
        lastError_.clear();
    } catch (const ImageError& error) {
        lastError_ = QString::fromStdString(error.what());
        if (isFileSystemFailure(error))
            throw;
    }
}

bool TImageIO::ChooseTwainSource()
{
    if (!chooser_)
        return false;
    try {
        const auto sources = quillora::imaging::listSaneDevices();
        scannerStatus_.clear();
        const auto chosen = chooser_->chooseSource(sources, selectedSource_);
        if (!chosen)
            return false;
        selectedSource_ = *chosen;
        return true;
    } catch (const ImageError& error) {
        scannerStatus_ = QString::fromStdString(error.detail());
        return false;
    }
}

bool TImageIO::AcquireTwainImage()
{
    if (selectedSource_.empty()) {
        scannerStatus_ = QStringLiteral("no scanner source chosen");
        return false;
    }
    try {
        QImage image = quillora::imaging::scanOnePage(selectedSource_, scanOptions_);
        *current_ = std::move(image);
        scannerStatus_.clear();
        return true;
    } catch (const ImageError& error) {
        scannerStatus_ = QString::fromStdString(error.detail());
        return false;
    }
}
