#pragma once
// The growable byte buffer of a stream. It can also share an immutable block (a JPEG held by
// its producer), so that large image data is never copied on its way into the file.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TPdfBuffer {
public:
    using SharedBytes = std::shared_ptr<const std::vector<std::uint8_t>>;

    void Append(std::string_view bytes);
    // Replaces the contents with a shared block, without copying it.
    void AssignShared(SharedBytes bytes);

    std::string_view View() const;
    std::size_t Size() const { return View().size(); }
    bool IsShared() const { return shared_ != nullptr; }

private:
    std::string owned_;
    SharedBytes shared_;
};
