#pragma once
// Runs quillora-cli in a workstation of its own: a temporary home with its settings file, a
// scanner folder and an archive base folder.
#include <QImage>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

class TRegistory;

namespace quillora::test {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

struct PdfFacts {
    int pages = 0;
    std::vector<std::pair<int, int>> imageSizes;       // in page order
    std::vector<std::pair<std::string, int>> outlines; // title, page number from 1
    std::vector<std::string> annotationTexts;
    std::string mediaBox;   // "[0 0 700 1000 ]" of every page, if equal
    int openActionPage = 0; // page number from 1
    bool qpdfCheckPassed = false;
};

class Workstation {
public:
    Workstation();
    ~Workstation();

    std::filesystem::path root, home, scan, charts;

    CliRun Run(const QStringList& args, const QString& shellPrefix = {}) const;
    // Starts two runs at once and waits for both.
    std::pair<CliRun, CliRun> RunTwice(const QStringList& args) const;
    void Set(const QString& name, const QString& value) const;
    // Changes the settings file directly, past the checks at entry (settings an older version
    // or a hand-edited file may hold).
    void Edit(const std::function<void(TRegistory&)>& change) const;

    std::string WriteImage(const QImage& image, const std::string& name) const; // in the scanner folder
    std::filesystem::path PatientFolder(const std::string& relative) const { return charts / relative; }

    static PdfFacts Inspect(const std::filesystem::path& pdf);
};

std::string ReadText(const std::filesystem::path& file);
std::vector<std::string> Entries(const std::filesystem::path& folder);

} // namespace quillora::test
