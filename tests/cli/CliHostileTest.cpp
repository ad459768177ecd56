// End-to-end: saving hostile page images (decompression bombs, huge declared sizes) is either
// refused with a message naming the file and its size, or done, and never takes more than 1 GB.
// The peak resident size of each save is measured and printed.
#include "CliRunner.h"
#include "app/compose/ComposeFixtures.h"
#include "cli/ExitStatus.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quillora::test;
using namespace quillora::cli;
namespace fs = std::filesystem;

namespace {

// A little-endian TIFF of one image: the given tags (short or long values) and one data block
// that the offset tags (StripOffsets or TileOffsets) point at.
QByteArray Tiff(std::vector<std::pair<std::uint16_t, std::uint32_t>> tags, const QByteArray& data,
                std::uint16_t offsetTag, std::uint16_t countTag)
{
    tags.emplace_back(offsetTag, 0);
    tags.emplace_back(countTag, static_cast<std::uint32_t>(data.size()));
    std::sort(tags.begin(), tags.end());
    QByteArray out("II*\0", 4);
    const auto u16 = [&](std::uint16_t v) { out.append(reinterpret_cast<const char*>(&v), 2); };
    const auto u32 = [&](std::uint32_t v) { out.append(reinterpret_cast<const char*>(&v), 4); };
    u32(8);
    const auto dataOffset = static_cast<std::uint32_t>(8 + 2 + tags.size() * 12 + 4);
    u16(static_cast<std::uint16_t>(tags.size()));
    for (const auto& [tag, value] : tags) {
        u16(tag);
        u16(4); // LONG
        u32(1);
        u32(tag == offsetTag ? dataOffset : value);
    }
    u32(0);
    return out + data;
}

QByteArray DeflateZeros(qsizetype size) { return qCompress(QByteArray(size, '\0'), 9).mid(4); }

QByteArray RgbDeflateTiff(std::uint32_t side, qsizetype dataBytes)
{
    return Tiff({{256, side}, {257, side}, {258, 8}, {259, 8}, {262, 2}, {277, 3}, {278, side}, {284, 1}},
                DeflateZeros(dataBytes), 273, 279);
}

QByteArray TiledTiff(std::uint32_t side)
{
    return Tiff({{256, side}, {257, side}, {258, 8}, {259, 8}, {262, 2}, {277, 3}, {322, 256}, {323, 256}},
                DeflateZeros(256 * 256 * 3), 324, 325);
}

QByteArray GreyPng(int side)
{
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(image);
    return bytes;
}

// A small progressive JPEG whose frame header then declares side x side pixels.
QByteArray ProgressiveJpeg(std::uint16_t side)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(ColourPage(64, 64));
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC2", 2));
    if (sof >= 0) {
        qToBigEndian(side, bytes.data() + sof + 5);
        qToBigEndian(side, bytes.data() + sof + 7);
    }
    return bytes;
}

struct Measured {
    int exitCode = -1;
    long peakKilobytes = 0;
    std::string err;
};

// Runs the save in a child process and reads its peak resident size from wait4.
Measured SaveMeasured(const Workstation& ws, const std::vector<std::string>& files)
{
    const fs::path errFile = ws.root / "stderr.txt";
    std::vector<std::string> args{QUILLORA_CLI, "save", "--patient", "12345", "--serial", "0", "--files"};
    args.insert(args.end(), files.begin(), files.end());
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("HOME", ws.home.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (ws.home / ".config").c_str(), 1);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int out = ::open("/dev/null", O_WRONLY);
        ::dup2(err, 2);
        ::dup2(out, 1);
        std::vector<char*> argv;
        for (auto& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Measured measured;
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) == child && WIFEXITED(status))
        measured.exitCode = WEXITSTATUS(status);
    measured.peakKilobytes = usage.ru_maxrss;
    measured.err = ReadText(errFile);
    return measured;
}

struct HostileCase {
    const char* name;
    const char* file;
    std::function<QByteArray()> bytes;
    int exitCode;
};

class CliHostile : public ::testing::TestWithParam<HostileCase> { };

TEST_P(CliHostile, SaveStaysUnderOneGigabyte)
{
    Workstation ws;
    ws.Set("FolderClear", "0");
    const std::string sheet = ws.WriteImage(ColourPage(100, 140), "p0.jpg");
    const fs::path hostile = ws.scan / GetParam().file;
    const QByteArray bytes = GetParam().bytes();
    std::ofstream(hostile, std::ios::binary).write(bytes.constData(), bytes.size());

    const auto run = SaveMeasured(ws, {sheet, hostile.string()});
    std::printf("[ memory ] %-28s %7lld bytes  exit %2d  peak %5ld MB\n", GetParam().name,
                static_cast<long long>(bytes.size()), run.exitCode, run.peakKilobytes / 1024);
    EXPECT_EQ(run.exitCode, GetParam().exitCode) << run.err;
    EXPECT_LT(run.peakKilobytes, 1024L * 1024) << GetParam().name;
    if (run.exitCode == kExitPageUnreadable) {
        EXPECT_NE(run.err.find(hostile.string()), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("pixels"), std::string::npos) << run.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, CliHostile,
    ::testing::Values(HostileCase{"TiffDeflate19000", "bomb.tif",
                                  [] { return RgbDeflateTiff(19000, 1 << 20); }, kExitPageUnreadable},
                      HostileCase{"TiffDeflate8000OneStrip", "strip.tif",
                                  [] { return RgbDeflateTiff(8000, 8000LL * 8000 * 3); }, kExitOk},
                      HostileCase{"TiffTiled19000", "tiled.tif", [] { return TiledTiff(19000); },
                                  kExitPageUnreadable},
                      HostileCase{"PngGrey9000", "bomb.png", [] { return GreyPng(9000); }, kExitOk},
                      HostileCase{"JpegProgressive19000", "huge.jpg", [] { return ProgressiveJpeg(19000); },
                                  kExitPageUnreadable},
                      HostileCase{"JpegProgressive9500", "coeff.jpg", [] { return ProgressiveJpeg(9500); },
                                  kExitPageUnreadable}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
