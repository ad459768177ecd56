#pragma once
// RAII wrappers over the SANE C API. A SaneSession spans sane_init .. sane_exit; SaneDevice spans
// sane_open .. sane_close and must not outlive its session. Every SANE status other than GOOD
// becomes an ImageError: Kind::Cancelled for SANE_STATUS_CANCELLED, Kind::Scan otherwise, with
// sane_strstatus's text as detail() and the device name as file().
// SANE is process-global: hold one session at a time, on the user-interface thread.
#include "imaging/ScannerSource.h"
#include "imaging/sane/SaneFrameAssembler.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quillora::imaging {

class SaneSession {
public:
    SaneSession();  // throws when sane_init fails
    ~SaneSession(); // sane_exit
    SaneSession(const SaneSession&) = delete;
    SaneSession& operator=(const SaneSession&) = delete;

    std::vector<ScannerSource> devices() const;
};

class SaneDevice {
public:
    SaneDevice(const SaneSession& session, const std::string& name); // sane_open
    ~SaneDevice();                                                   // sane_cancel + sane_close
    SaneDevice(const SaneDevice&) = delete;
    SaneDevice& operator=(const SaneDevice&) = delete;

    // Sets a string option (e.g. "mode") or an integer/fixed option (e.g. "resolution") by name.
    // Throws when the option does not exist, is of another type (setNumberOption: one INT or FIXED
    // word, not an array) or the device refuses the value.
    void setStringOption(const std::string& option, const std::string& value);
    void setNumberOption(const std::string& option, int value);
    // Whether the string option exists and lists the value among its choices.
    bool offersString(const std::string& option, const std::string& value) const;

    void start(); // sane_start: begins the next frame
    FrameParameters parameters() const;
    // Reads up to buffer.size() bytes; returns the count, 0 at the end of the frame. Reads block, so
    // a backend that returns no bytes without EOF also ends the frame instead of being polled.
    std::size_t read(std::span<std::uint8_t> buffer);
    void cancel(); // ends the scan (also after a complete one)

private:
    int findOption(const std::string& option) const;   // throws when absent or not settable
    int lookUpOption(const std::string& option) const; // 0 when absent or not settable

    std::string name_;
    void* handle_ = nullptr; // SANE_Handle
};

} // namespace quillora::imaging
