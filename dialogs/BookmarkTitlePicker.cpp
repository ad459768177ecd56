#include "dialogs/BookmarkTitlePicker.h"

#include "platform/Cp932.h"
#include "settings/TRegistory.h"

namespace quillora {

std::string bookmarkTitleFrom(std::string_view chosen)
{
    return platform::cutToCp932Length(chosen, kBookmarkTitleBytes);
}

TagPresets BookmarkTitlePicker::presets() const
{
    TagPresets presets;
    for (int k = 1; k <= kTagPresetCount; ++k)
        presets[k - 1] = settings_.Tag(k);
    return presets;
}

void BookmarkTitlePicker::close(const TagPresets& editTexts)
{
    for (int k = 1; k <= kTagPresetCount; ++k)
        settings_.Tag(k) = editTexts[k - 1];
}

} // namespace quillora
