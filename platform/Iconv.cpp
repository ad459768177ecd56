#include "platform/Iconv.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace quillora::platform {
namespace {
iconv_t native(void* h) { return static_cast<iconv_t>(h); }
const auto kInvalidHandle = reinterpret_cast<iconv_t>(-1);
} // namespace

IconvConverter::IconvConverter(const char* toCode, const char* fromCode)
    : handle_(iconv_open(toCode, fromCode))
{
    if (native(handle_) == kInvalidHandle)
        throw std::runtime_error(std::string("no character set converter from ") + fromCode + " to " +
                                 toCode);
}

IconvConverter::~IconvConverter() { iconv_close(native(handle_)); }

void IconvConverter::reset() { iconv(native(handle_), nullptr, nullptr, nullptr, nullptr); }

IconvConverter::Step IconvConverter::convert(std::string_view in, std::string& out)
{
    char* inPtr = const_cast<char*>(in.data()); // iconv's signature; the input is not written
    std::size_t inLeft = in.size();
    char buffer[1024];
    for (;;) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(native(handle_), &inPtr, &inLeft, &outPtr, &outLeft);
        const int err = errno;
        out.append(buffer, static_cast<std::size_t>(outPtr - buffer));
        const std::size_t consumed = in.size() - inLeft;
        if (rc != static_cast<std::size_t>(-1))
            return {Status::Complete, consumed};
        if (err == E2BIG)
            continue;
        if (err == EINVAL)
            return {Status::IncompleteSequence, consumed};
        return {Status::InvalidSequence, consumed};
    }
}

} // namespace quillora::platform
