// Code page 932 to UTF-16, used for the hex form of text strings: iconv, or the system's own
// conversion on Windows.
#ifdef _WIN32
#include <windows.h>

#include "pdf/PdfFormat.h"

std::u16string Cp932ToUtf16(std::string_view cp932)
{
    if (cp932.empty())
        return {};
    const int size = static_cast<int>(cp932.size());
    const int units = MultiByteToWideChar(932, 0, cp932.data(), size, nullptr, 0);
    std::u16string result(static_cast<std::size_t>(units), u'\0');
    MultiByteToWideChar(932, 0, cp932.data(), size, reinterpret_cast<wchar_t*>(result.data()), units);
    return result;
}

#else
#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "pdf/PdfExceptions.h"
#include "pdf/PdfFormat.h"

namespace {

// One iconv conversion descriptor, closed on destruction.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from))
    {
        if (handle_ == reinterpret_cast<iconv_t>(-1))
            throw EPdfError(std::string("Cannot convert from ") + from + " to " + to + ".");
    }
    ~IconvHandle() { iconv_close(handle_); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    // Converts as much of [in, in + inLeft) as possible into out; returns errno of the stop
    // (0 when everything was converted).
    int Convert(char*& in, size_t& inLeft, char*& out, size_t& outLeft)
    {
        return iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1) ? errno : 0;
    }

private:
    iconv_t handle_;
};

constexpr char16_t kReplacement = 0xFFFD;

} // namespace

std::u16string Cp932ToUtf16(std::string_view cp932)
{
    IconvHandle converter("UTF-16BE", "CP932");
    std::u16string result;
    std::string input(cp932);
    char* in = input.data();
    size_t inLeft = input.size();
    std::string output(4 * input.size() + 4, '\0');
    while (inLeft > 0) {
        char* out = output.data();
        size_t outLeft = output.size();
        const int error = converter.Convert(in, inLeft, out, outLeft);
        const size_t produced = output.size() - outLeft;
        for (size_t i = 0; i + 1 < produced; i += 2)
            result.push_back(static_cast<char16_t>(
                (static_cast<unsigned char>(output[i]) << 8) | static_cast<unsigned char>(output[i + 1])));
        if (error == 0)
            break;
        if (error == E2BIG)
            continue;
        // An invalid or incomplete character: replace it as a whole (lead and trail byte).
        const bool lead = IsCp932LeadByte(static_cast<unsigned char>(in[0]));
        const unsigned char next = inLeft >= 2 ? static_cast<unsigned char>(in[1]) : 0;
        const bool trail = next >= 0x40 && next <= 0xFC && next != 0x7F;
        const size_t skip = (lead && trail) ? 2 : 1;
        in += skip;
        inLeft -= skip;
        result.push_back(kReplacement);
    }
    return result;
}

#endif
