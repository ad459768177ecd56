#pragma once
// The text of the properties box of one item of the chart list.
#include <QString>

class QFileInfo;

namespace quillora::inquiry {

// Name, kind, size (files), dates and location of the item, one per line.
QString PropertiesText(const QFileInfo& info);

} // namespace quillora::inquiry
