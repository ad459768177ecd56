#pragma once
// How the page list opens a page image in the image editor. The editor works on the file
// alone; what comes back is its zoom step, which the page list keeps in the settings. An
// editor that saved the file asks the main window to rebuild the thumbnails itself.
#include <QString>
#include <optional>

class QWidget;

namespace quillora::ui {

class PageImageEditor {
public:
    virtual ~PageImageEditor() = default;

    // Edits `fileName` modally, opening at zoom step `zoomIndex`. Returns the zoom step when
    // the editor was shown, nullopt when it was not.
    virtual std::optional<int> editPageImage(QWidget* parent, const QString& fileName, int zoomIndex) = 0;
};

// Used while no image editor is available: shows nothing and changes nothing.
class NoPageImageEditor : public PageImageEditor {
public:
    std::optional<int> editPageImage(QWidget*, const QString&, int) override { return std::nullopt; }
};

} // namespace quillora::ui
