#pragma once
// The page list's image editor: the one editor window of the run, opened on a page's file.
#include "app/ui/PageImageEditor.h"

#include <functional>
#include <memory>

namespace quillora::editor {
class TImageShow;
}

namespace quillora::ui {

class ImageShowEditor : public PageImageEditor {
public:
    // `redrawPages` runs after each save that wrote the page's file.
    explicit ImageShowEditor(std::function<void()> redrawPages);
    ~ImageShowEditor() override;

    std::optional<int> editPageImage(QWidget* parent, const QString& fileName, int zoomIndex) override;
    editor::TImageShow& Window() { return *window_; }

private:
    std::unique_ptr<editor::TImageShow> window_;
};

} // namespace quillora::ui
