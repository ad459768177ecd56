#include "editor/PageImageFile.h"

#include "imaging/ImageError.h"
#include "imaging/TImageIO.h"

#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace quillora::editor {
namespace {

QImage::Format workFormat(const QImage& image)
{
    return image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
}

bool isGreyFormat(QImage::Format format)
{
    return format == QImage::Format_Grayscale8 || format == QImage::Format_Grayscale16;
}

bool isPaletteFormat(QImage::Format format)
{
    return format == QImage::Format_Mono || format == QImage::Format_MonoLSB ||
           format == QImage::Format_Indexed8;
}

template <typename Keep> bool everyPixel(const QImage& work, Keep keep)
{
    for (int y = 0; y < work.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(work.constScanLine(y));
        if (!std::all_of(row, row + work.width(), keep))
            return false;
    }
    return true;
}

} // namespace

PageImage readPageImage(const QString& fileName)
{
    PageImage page;
    QImage read;
    TImageIO io;
    io.AttachBitmap(&read);
    try {
        io.ReadImageFile(fileName);
    } catch (const imaging::ImageError& error) {
        page.error = QString::fromStdString(error.what());
        return page;
    }
    if (io.Failed() || read.isNull()) {
        page.error = io.LastError().isEmpty() ? fileName : io.LastError();
        return page;
    }
    page.fileFormat = read.format();
    page.colorTable = read.colorTable();
    page.work = read.convertToFormat(workFormat(read));
    return page;
}

bool isWriteProtected(const QString& fileName)
{
    const QFileInfo info(fileName);
    return !info.exists() || !(info.permissions() & QFileDevice::WriteOwner);
}

QImage toFileFormat(const PageImage& page, const QImage& work)
{
    if (isGreyFormat(page.fileFormat)) {
        if (everyPixel(work, [](QRgb p) { return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p); }))
            return work.convertToFormat(QImage::Format_Grayscale8);
    } else if (isPaletteFormat(page.fileFormat) && !page.colorTable.isEmpty()) {
        std::vector<QRgb> table(page.colorTable.begin(), page.colorTable.end());
        for (QRgb& entry : table)
            entry |= 0xFF000000u;
        std::sort(table.begin(), table.end());
        const auto inTable = [&table](QRgb p) {
            return std::binary_search(table.begin(), table.end(), p | 0xFF000000u);
        };
        if (everyPixel(work, inTable))
            return work.convertToFormat(page.fileFormat, page.colorTable, Qt::ThresholdDither);
    }
    return work;
}

SaveResult writePageImage(const QString& fileName, const PageImage& page, const QImage& work)
{
    if (isWriteProtected(fileName))
        return {SaveOutcome::WriteProtected, {}};
    QImage file = toFileFormat(page, work);
    TImageIO io;
    io.AttachBitmap(&file);
    try {
        io.WriteImageFile(fileName);
    } catch (const imaging::ImageError& error) {
        return {SaveOutcome::Failed, QString::fromStdString(error.what())};
    }
    if (io.Failed())
        return {SaveOutcome::Failed, io.LastError()};
    return {SaveOutcome::Saved, {}};
}

} // namespace quillora::editor
