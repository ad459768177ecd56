#pragma once
// Test doubles of the save flow: a composer that records what it is given and a question
// interface that records what it is asked.
#include "app/compose/ChartComposer.h"
#include "app/save/SaveQuestions.h"

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace quillora::save::test {

struct FakeComposer : ChartComposer {
    struct Page {
        std::string file;
        std::optional<std::vector<std::string>> note;
        std::vector<std::string> titles;
    };
    ChartPageSetup setup;
    LocalDateTime creation;
    std::vector<Page> pages;
    std::set<std::string> undecodable;
    bool failFinish = false;
    bool open = false;

    void Begin(const ChartPageSetup& s, const LocalDateTime& date) override
    {
        setup = s;
        creation = date;
        pages.clear();
        open = true;
    }
    void AddPage(const std::string& file, const std::optional<std::vector<std::string>>& note) override
    {
        if (undecodable.count(file))
            throw PageImageError(file, "cannot decode");
        pages.push_back({file, note, {}});
    }
    void AddOutline(const std::string& title) override { pages.back().titles.push_back(title); }
    int PageCount() const override { return static_cast<int>(pages.size()); }
    std::string Finish() override
    {
        if (failFinish)
            throw std::runtime_error("SaveToStream --disk full");
        open = false;
        std::string bytes = "%PDF-fake\n";
        for (const auto& p : pages)
            bytes += p.file + "\n";
        return bytes;
    }
    void Discard() noexcept override { open = false; }
};

struct RecordingQuestions : SaveQuestions {
    std::vector<std::string> notOverwrite, notMakeFolder, notDelete, progress;
    DeleteChoice deleteChoice = DeleteChoice::Next;
    bool confirm = true;

    void NotOverwrite(const std::string& name) override { notOverwrite.push_back(name); }
    void NotMakeFolder(const std::string& name) override { notMakeFolder.push_back(name); }
    DeleteChoice NotDelete(const std::string& name) override
    {
        notDelete.push_back(name);
        return deleteChoice;
    }
    bool ConfirmClearFolder(const std::string&) override { return confirm; }
    void Started(int pages) override { progress.push_back("started " + std::to_string(pages)); }
    void PageDone(int done, const std::string&) override { progress.push_back(std::to_string(done)); }
};

// A fresh folder below the system's temporary folder, removed at the end.
struct TempFolder {
    std::filesystem::path path;
    explicit TempFolder(const std::string& tag)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / ("qsave-" + tag + "-XXXXXX")).string();
        path = ::mkdtemp(pattern.data());
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

inline void WriteFile(const std::filesystem::path& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

inline std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::vector<std::string> FolderEntries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace quillora::save::test
