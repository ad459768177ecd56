#pragma once
// Toolbar pictures of the four view styles, drawn rather than shipped as files.
#include "inquiry/ShellListView.h"

#include <QIcon>

namespace quillora::inquiry {

QIcon ViewStyleIcon(ViewStyle style);

} // namespace quillora::inquiry
