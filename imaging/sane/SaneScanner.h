#pragma once
// One-call scanner operations over SaneSession/SaneDevice. Both throw ImageError: Kind::Cancelled
// when the scan was cancelled, Kind::Scan for any other SANE failure (detail() is SANE's status
// text), Kind::Bounds for a scan beyond the size limits.
#include "imaging/ScannerSource.h"

#include <QImage>
#include <string>
#include <vector>

namespace quillora::imaging {

std::vector<ScannerSource> listSaneDevices();

// Opens the device, applies the options, scans one page (all its frames) and closes the device.
// Lineart scans give Format_Mono, grey Format_Grayscale8, colour Format_RGB888.
QImage scanOnePage(const std::string& device, const ScanOptions& options);

} // namespace quillora::imaging
