#include "logs/ChartLog.h"

namespace quillora {

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

void ChartLog::addLine(std::string_view text)
{
    auto parts = SplitLines(text);
    if (parts.empty())
        parts.emplace_back(); // an empty line is still a line
    for (auto& part : parts)
        lines_.push_back(std::move(part));
}

void ChartLog::setText(std::string_view text) { lines_ = SplitLines(text); }

std::string ChartLog::text() const
{
    std::string joined;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0)
            joined += '\n';
        joined += lines_[i];
    }
    return joined;
}

void ChartLog::clear()
{
    lines_.clear();
    modified_ = false;
}

LogFileOutcome ChartLog::appendTo(const std::filesystem::path& path)
{
    const LogFileOutcome outcome = AppendLinesToFile(path, lines_);
    if (outcome.status == LogFileStatus::Appended)
        modified_ = false;
    return outcome;
}

} // namespace quillora
