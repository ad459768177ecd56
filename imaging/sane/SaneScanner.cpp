#include "imaging/sane/SaneScanner.h"

#include "imaging/ImageError.h"
#include "imaging/sane/SaneFrameAssembler.h"
#include "imaging/sane/SaneSession.h"

namespace quillora::imaging {
namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
// A backend that keeps announcing frames that are never the last would loop forever.
constexpr int kMaxFrames = 3;

void readFrame(SaneDevice& device, SaneFrameAssembler& assembler, std::vector<std::uint8_t>& buffer)
{
    for (;;) {
        const std::size_t count = device.read(buffer);
        if (count == 0)
            return;
        assembler.addData({buffer.data(), count});
    }
}

// SANE's usual mode names. Devices without a "Lineart" mode (SANE's test backend among them) scan
// lineart as one-bit grey.
void applyMode(SaneDevice& device, ScanMode mode)
{
    switch (mode) {
    case ScanMode::DeviceDefault: return;
    case ScanMode::Colour: device.setStringOption("mode", "Color"); return;
    case ScanMode::Grey: device.setStringOption("mode", "Gray"); return;
    case ScanMode::Lineart:
        if (device.offersString("mode", "Lineart")) {
            device.setStringOption("mode", "Lineart");
        } else {
            device.setStringOption("mode", "Gray");
            device.setNumberOption("depth", 1);
        }
        return;
    }
}

} // namespace

std::vector<ScannerSource> listSaneDevices()
{
    SaneSession session;
    return session.devices();
}

QImage scanOnePage(const std::string& name, const ScanOptions& options)
{
    SaneSession session;
    SaneDevice device(session, name);
    applyMode(device, options.mode);
    if (options.resolution > 0)
        device.setNumberOption("resolution", options.resolution);

    SaneFrameAssembler assembler;
    std::vector<std::uint8_t> buffer(kReadChunk);
    for (int frame = 0; frame < kMaxFrames; ++frame) {
        device.start();
        const FrameParameters parameters = device.parameters();
        assembler.beginFrame(parameters);
        readFrame(device, assembler, buffer);
        if (parameters.lastFrame)
            break;
    }
    device.cancel();
    QImage image = assembler.image();
    if (image.isNull())
        throw ImageError(ImageError::Kind::Scan, name, "SANE", "the scanner sent no image");
    return image;
}

} // namespace quillora::imaging
