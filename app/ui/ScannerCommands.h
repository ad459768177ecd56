#pragma once
// The scanner commands of the main window: choosing a scanner source and scanning one page
// into a file of the scanner folder, named in the save dialog.
#include "imaging/TImageIO.h"

#include <QString>
#include <memory>

class QWidget;

namespace quillora::ui {

class MainFormPrompts;

inline constexpr const char* kScanSaveFilter = "JPEG|*.jpg;*.jpeg|BMP|*.bmp|TIFF|*.tiff;*.tif|PNG|*.png";

// `name` with the extension of save-filter entry `filterIndex` (1 ".jpg", 2 ".bmp", 3 ".tif",
// 4 ".png"), replacing the extension it has or adding one.
QString withScanExtension(const QString& name, int filterIndex);

class ScannerCommands {
public:
    // `chooser` lists the sources; nullptr uses a selection dialog.
    explicit ScannerCommands(imaging::ScannerSourceChooser* chooser = nullptr);
    ~ScannerCommands();

    // True when a source was chosen (later scans use it).
    bool chooseSource(QWidget* parent);

    // Scans one page and writes it under the name picked in the save dialog. Returns the text
    // for the status panel (empty when there is none to show).
    QString acquireAndSave(QWidget* parent, MainFormPrompts& prompts, const QString& scannerFolder);

    TImageIO ImageIO4;

private:
    std::unique_ptr<imaging::ScannerSourceChooser> ownChooser_;
    imaging::ScannerSourceChooser* chooser_;
};

} // namespace quillora::ui
