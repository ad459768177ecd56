#pragma once
// The logic of the bookmark title picker: ten preset titles kept in the settings (Tag1 to
// Tag10), the title chosen with a preset's button, and the title a page gets from it.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

class TRegistory;

namespace quillora {

inline constexpr int kTagPresetCount = 10;
// A page's bookmark title keeps at most this many code page 932 bytes.
inline constexpr std::size_t kBookmarkTitleBytes = 16;

using TagPresets = std::array<std::string, kTagPresetCount>;

// The longest start of `chosen` whose code page 932 form fits in 16 bytes. A double-byte
// character that would straddle the limit is left out whole rather than cut in half.
std::string bookmarkTitleFrom(std::string_view chosen);

class BookmarkTitlePicker {
public:
    explicit BookmarkTitlePicker(TRegistory& settings) : settings_(settings) { }

    // The presets Tag1 to Tag10, which the edit fields show when the picker opens.
    TagPresets presets() const;

    // A preset's button was pressed while its edit field held `editText`.
    void choose(std::string editText) { chosenTitle_ = std::move(editText); }

    // The picker closes, whichever way: the edit fields become the presets, so an edited
    // preset is kept even when the picker is cancelled.
    void close(const TagPresets& editTexts);

    // The text of the edit field whose button was pressed last.
    const std::string& chosenTitle() const { return chosenTitle_; }

    // The bookmark title a page gets from the chosen text.
    std::string pageTitle() const { return bookmarkTitleFrom(chosenTitle_); }

private:
    TRegistory& settings_;
    std::string chosenTitle_;
};

} // namespace quillora
