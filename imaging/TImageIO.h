#pragma once
// The image I/O component: reads and writes image files chosen by extension (JPEG, TIFF, BMP, PNG),
// and acquires one page from a scanner (SANE) into its current image.
//
// Failure contract of ReadImageFile / WriteImageFile (callers must handle both):
//  - Failed() is true, nothing thrown, current image unchanged:
//      unknown extension, undecodable or truncated data, an image beyond the size limits
//      (ImageLimits.h), or (write) an empty current image. LastError() tells why.
//  - quillora::imaging::ImageError thrown (Kind::Open / Kind::Create), Failed() also true,
//    current image unchanged: the file cannot be opened for reading, or cannot be created or
//    replaced for writing. The message names the file.
//  - Failed() is false after a read or write that completed.
// Writes use each codec's defaults (JPEG quality 75, TIFF uncompressed, PNG and BMP as Qt writes
// them) and replace the file only once the complete image is written.
// Instances are independent: separate instances may be used on separate threads (scanner access
// excepted, which belongs to the user-interface thread).
#include "imaging/ScannerSource.h"

#include <QImage>
#include <QString>
#include <functional>

class TImageIO {
public:
    TImageIO() = default;
    TImageIO(const TImageIO&) = delete;
    TImageIO& operator=(const TImageIO&) = delete;

    // The caller-owned bitmap becomes the current image: reads replace it, writes store it as it is
    // at that moment. The caller keeps it alive while attached; nullptr returns to the own image.
    void AttachBitmap(QImage* bitmap);
    QImage& CurrentImage() { return *current_; }
    const QImage& CurrentImage() const { return *current_; }

    // A multi-page file (TIFF) yields its first image. Read pixel formats: JPEG Grayscale8/RGB888,
    // TIFF Mono (bilevel)/Grayscale8/RGB32, PNG and BMP as Qt reads them (Mono for 1-bit).
    void ReadImageFile(const QString& fileName);
    void WriteImageFile(const QString& fileName);
    bool Failed() const { return failed_; }
    QString LastError() const { return lastError_; }

    // Scanner access. The chooser (a window, or a test) must be set before ChooseTwainSource.
    void SetSourceChooser(quillora::imaging::ScannerSourceChooser* chooser) { chooser_ = chooser; }
    void SetScanOptions(const quillora::imaging::ScanOptions& options) { scanOptions_ = options; }
    // Lists the SANE devices through the chooser; true when one was chosen, which later
    // acquisitions use. False when cancelled, when no chooser is set or the device list failed.
    bool ChooseTwainSource();
    // Scans one page from the chosen source into the current image. True when an image arrived;
    // false on cancel or any scanner error, with ScannerStatus() holding the SANE status text.
    bool AcquireTwainImage();
    const std::string& SelectedSource() const { return selectedSource_; }
    void SetSelectedSource(const std::string& device) { selectedSource_ = device; }
    QString ScannerStatus() const { return scannerStatus_; }

private:
    void runFileOperation(const std::function<void()>& operation);

    QImage own_;
    QImage* current_ = &own_;
    bool failed_ = false;
    QString lastError_;

    quillora::imaging::ScannerSourceChooser* chooser_ = nullptr;
    quillora::imaging::ScanOptions scanOptions_;
    std::string selectedSource_;
    QString scannerStatus_;
};
