#include "pdf/PdfBuffer.h"

void TPdfBuffer::Append(std::string_view bytes)
{
    if (shared_) {
        // Appending to shared data needs a private copy first.
        owned_.assign(View());
        shared_.reset();
    }
    owned_.append(bytes);
}

void TPdfBuffer::AssignShared(SharedBytes bytes)
{
    owned_.clear();
    owned_.shrink_to_fit();
    shared_ = std::move(bytes);
}

std::string_view TPdfBuffer::View() const
{
    if (shared_)
        return {reinterpret_cast<const char*>(shared_->data()), shared_->size()};
    return owned_;
}
