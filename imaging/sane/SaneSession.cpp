#include "imaging/sane/SaneSession.h"

#include "imaging/ImageError.h"

#include <sane/sane.h>
#include <sane/saneopts.h>

namespace quillora::imaging {
namespace {

void check(SANE_Status status, const std::string& device)
{
    if (status == SANE_STATUS_GOOD)
        return;
    throw ImageError(status == SANE_STATUS_CANCELLED ? ImageError::Kind::Cancelled : ImageError::Kind::Scan,
                     device, "SANE", sane_strstatus(status));
}

std::string text(SANE_String_Const value) { return value ? value : ""; }

FrameFormat frameFormatOf(SANE_Frame frame, const std::string& device)
{
    switch (frame) {
    case SANE_FRAME_GRAY: return FrameFormat::Gray;
    case SANE_FRAME_RGB: return FrameFormat::Rgb;
    case SANE_FRAME_RED: return FrameFormat::Red;
    case SANE_FRAME_GREEN: return FrameFormat::Green;
    case SANE_FRAME_BLUE: return FrameFormat::Blue;
    }
    throw ImageError(ImageError::Kind::Scan, device, "SANE", "unsupported frame format");
}

} // namespace

SaneSession::SaneSession() { check(sane_init(nullptr, nullptr), "SANE"); }

SaneSession::~SaneSession() { sane_exit(); }

std::vector<ScannerSource> SaneSession::devices() const
{
    const SANE_Device** list = nullptr;
    check(sane_get_devices(&list, SANE_FALSE), "SANE");
    std::vector<ScannerSource> sources;
    for (; list && *list; ++list)
        sources.push_back(
            {text((*list)->name), text((*list)->vendor), text((*list)->model), text((*list)->type)});
    return sources;
}

SaneDevice::SaneDevice(const SaneSession&, const std::string& name) : name_(name)
{
    SANE_Handle handle = nullptr;
    check(sane_open(name.c_str(), &handle), name_);
    handle_ = handle;
}

SaneDevice::~SaneDevice()
{
    sane_cancel(handle_);
    sane_close(handle_);
}

int SaneDevice::lookUpOption(const std::string& option) const
{
    for (SANE_Int index = 1;; ++index) {
        const SANE_Option_Descriptor* descriptor = sane_get_option_descriptor(handle_, index);
        if (!descriptor)
            return 0;
        if (descriptor->name && option == descriptor->name && SANE_OPTION_IS_ACTIVE(descriptor->cap) &&
            SANE_OPTION_IS_SETTABLE(descriptor->cap))
            return index;
    }
}

int SaneDevice::findOption(const std::string& option) const
{
    const int index = lookUpOption(option);
    if (index == 0)
        throw ImageError(ImageError::Kind::Scan, name_, "SANE",
                         "the device has no settable option " + option);
    return index;
}

bool SaneDevice::offersString(const std::string& option, const std::string& value) const
{
    const int index = lookUpOption(option);
    if (index == 0)
        return false;
    const SANE_Option_Descriptor* descriptor = sane_get_option_descriptor(handle_, index);
    if (descriptor->type != SANE_TYPE_STRING || descriptor->constraint_type != SANE_CONSTRAINT_STRING_LIST)
        return false;
    for (const SANE_String_Const* choice = descriptor->constraint.string_list; choice && *choice; ++choice) {
        if (value == *choice)
            return true;
    }
    return false;
}

void SaneDevice::setStringOption(const std::string& option, const std::string& value)
{
    const int index = findOption(option);
    const SANE_Option_Descriptor* descriptor = sane_get_option_descriptor(handle_, index);
    if (descriptor->type != SANE_TYPE_STRING)
        throw ImageError(ImageError::Kind::Scan, name_, "SANE", "option " + option + " is not a string");
    std::vector<char> buffer(static_cast<std::size_t>(std::max<SANE_Int>(descriptor->size, 1)), '\0');
    value.copy(buffer.data(), buffer.size() - 1);
    check(sane_control_option(handle_, index, SANE_ACTION_SET_VALUE, buffer.data(), nullptr), name_);
}

void SaneDevice::setNumberOption(const std::string& option, int value)
{
    const int index = findOption(option);
    const SANE_Option_Descriptor* descriptor = sane_get_option_descriptor(handle_, index);
    // An option of several words (an array) would read past the one word handed over.
    const bool number = descriptor->type == SANE_TYPE_INT || descriptor->type == SANE_TYPE_FIXED;
    if (!number || descriptor->size != static_cast<SANE_Int>(sizeof(SANE_Word)))
        throw ImageError(ImageError::Kind::Scan, name_, "SANE",
                         "option " + option + " is not a single number");
    SANE_Word word = descriptor->type == SANE_TYPE_FIXED ? SANE_FIX(value) : value;
    check(sane_control_option(handle_, index, SANE_ACTION_SET_VALUE, &word, nullptr), name_);
}

void SaneDevice::start() { check(sane_start(handle_), name_); }

FrameParameters SaneDevice::parameters() const
{
    SANE_Parameters p{};
    check(sane_get_parameters(handle_, &p), name_);
    return {frameFormatOf(p.format, name_),
            p.last_frame == SANE_TRUE,
            p.bytes_per_line,
            p.pixels_per_line,
            p.lines,
            p.depth};
}

std::size_t SaneDevice::read(std::span<std::uint8_t> buffer)
{
    SANE_Int length = 0;
    const SANE_Status status =
        sane_read(handle_, buffer.data(), static_cast<SANE_Int>(buffer.size()), &length);
    if (status == SANE_STATUS_EOF)
        return 0;
    check(status, name_);
    if (length < 0 || static_cast<std::size_t>(length) > buffer.size())
        throw ImageError(ImageError::Kind::Scan, name_, "SANE",
                         "the device reported an impossible read length");
    return static_cast<std::size_t>(length);
}

void SaneDevice::cancel() { sane_cancel(handle_); }

} // namespace quillora::imaging
