#include "app/ui/ImageShowEditor.h"

#include "editor/ui/TImageShow.h"

namespace quillora::ui {

ImageShowEditor::ImageShowEditor(std::function<void()> redrawPages)
    : window_(std::make_unique<editor::TImageShow>())
{
    window_->SetSavedHandler(std::move(redrawPages));
}

ImageShowEditor::~ImageShowEditor() = default;

std::optional<int> ImageShowEditor::editPageImage(QWidget* parent, const QString& fileName, int zoomIndex)
{
    window_->ImageFileName = fileName;
    window_->SetZoomIndex(zoomIndex);
    window_->ShowModal(parent);
    return window_->ZoomIndex();
}

} // namespace quillora::ui
