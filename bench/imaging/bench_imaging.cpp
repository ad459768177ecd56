// Times the page-image work of a chart on an A4 300-dpi colour scan (2480 x 3508, generated):
// full decode, decode of the top-left page area only, 64- and 192-pixel thumbnails, and the
// encoding of a 634 x 934 page at quality 80. Prints the median of several runs.
#include "imaging/JpegCodec.h"
#include "imaging/Scaling.h"
#include "imaging/TJPEGImage.h"
#include "imaging/Thumbnails.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace quillora::imaging;

namespace {

constexpr int kRuns = 7;

QImage a4Scan()
{
    QImage image(2480, 3508, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const bool text = ((x / 12) % 7 < 5) && ((y / 40) % 2 == 0) && ((x * 31 + y * 17) % 13 < 6);
            const uchar paper = static_cast<uchar>(235 + (x * 7 + y * 3) % 17);
            row[3 * x] = text ? 30 : paper;
            row[3 * x + 1] = text ? 30 : paper;
            row[3 * x + 2] = text ? 60 : static_cast<uchar>(paper - 10);
        }
    }
    return image;
}

double medianMilliseconds(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* what, double milliseconds) { std::printf("%-52s %8.2f ms\n", what, milliseconds); }

} // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath("scan.jpg");
    const auto bytes = encodeJpeg(a4Scan(), 85, true);
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }
    std::printf("A4 300-dpi colour JPEG, 2480 x 3508, %zu bytes; median of %d runs\n", bytes.size(), kRuns);

    QImage sink;
    report("decode whole image (file)", medianMilliseconds([&] { sink = readJpegFile(path); }));
    report("decode top-left 634 x 934 only (file)",
           medianMilliseconds([&] { sink = readJpegTopLeft(path, 634, 934); }));
    const QImage full = readJpegFile(path);
    report("  for comparison: crop 634 x 934 of a full decode",
           medianMilliseconds([&] { sink = readJpegFile(path).copy(0, 0, 634, 934); }));
    report("fit page 633 x 896 from the decoded image", medianMilliseconds([&] {
               sink = scaledNearest(full, fitInside(full.size(), {634, 934}).width(),
                                    fitInside(full.size(), {634, 934}).height());
           }));
    report("thumbnail 64 px (file, DCT-scaled decode)",
           medianMilliseconds([&] { sink = thumbnailFromFile(path, 64, false); }));
    report("thumbnail 192 px (file, DCT-scaled decode)",
           medianMilliseconds([&] { sink = thumbnailFromFile(path, 192, false); }));
    report("  for comparison: thumbnail 64 px from a full decode",
           medianMilliseconds([&] { sink = makeThumbnail(readJpegFile(path), 64, false); }));

    const QImage page = full.copy(0, 0, 634, 934);
    std::size_t encodedSize = 0;
    report("encode 634 x 934 page at quality 80 (TJPEGImage)", medianMilliseconds([&] {
               TJPEGImage jpeg;
               jpeg.SetQuality(80);
               jpeg.Assign(page);
               jpeg.Compress();
               encodedSize = jpeg.Data().size();
           }));
    std::printf("encoded page: %zu bytes\n", encodedSize);
    return sink.isNull() ? 1 : 0;
}
