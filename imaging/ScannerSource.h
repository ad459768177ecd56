#pragma once
// What the window behind the scanner commands supplies and receives: the list of scanner sources,
// the user's choice among them and the scan settings.
#include <optional>
#include <string>
#include <vector>

namespace quillora::imaging {

struct ScannerSource {
    std::string name; // the device name that opens it, e.g. "test:0"
    std::string vendor;
    std::string model;
    std::string type; // "flatbed scanner", "virtual device", ...
};

// Implemented by the source-selection window; tests supply their own.
class ScannerSourceChooser {
public:
    virtual ~ScannerSourceChooser() = default;
    // Shows the sources (possibly none) with `current` preselected; returns the chosen device name,
    // or nothing when the user cancelled.
    virtual std::optional<std::string> chooseSource(const std::vector<ScannerSource>& sources,
                                                    const std::string& current) = 0;
};

enum class ScanMode { DeviceDefault, Colour, Grey, Lineart };

struct ScanOptions {
    ScanMode mode = ScanMode::DeviceDefault;
    int resolution = 0; // dots per inch; 0 keeps the device's setting
};

} // namespace quillora::imaging
