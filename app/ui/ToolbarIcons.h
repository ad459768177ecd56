#pragma once
// Toolbar pictures of the main window, drawn with QPainter (no bundled artwork).
#include <QIcon>

namespace quillora::ui {

QIcon scannerIcon(); // a flatbed scanner with a sheet
QIcon folderIcon();  // a folder with a picture
QIcon logIcon();     // a ruled sheet

} // namespace quillora::ui
