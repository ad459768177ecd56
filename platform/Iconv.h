#pragma once
// RAII wrapper around one glibc iconv conversion descriptor. A descriptor keeps shift state,
// so one instance must not be shared between threads; create one per conversion job.
#include <cstddef>
#include <string>
#include <string_view>

namespace quillora::platform {

class IconvConverter {
public:
    // Throws std::runtime_error when the system has no converter for the pair (a broken
    // installation, not bad input).
    IconvConverter(const char* toCode, const char* fromCode);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    enum class Status { Complete, InvalidSequence, IncompleteSequence };

    struct Step {
        Status status;
        std::size_t consumed; // input bytes converted before the stop
    };

    // Converts as much of `in` as possible and appends the output to `out`. Stops at the
    // first byte sequence the converter rejects (InvalidSequence) or at a sequence cut off by
    // the end of the input (IncompleteSequence); the caller decides how to go on.
    Step convert(std::string_view in, std::string& out);

    // Returns the descriptor to its initial shift state.
    void reset();

private:
    void* handle_;
};

} // namespace quillora::platform
