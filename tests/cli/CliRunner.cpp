#include "CliRunner.h"

#include "cli/SettingsTable.h"
#include "imaging/ImageFiles.h"
#include "settings/TRegistory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace quillora::test {
namespace {

QProcessEnvironment Environment(const fs::path& home)
{
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", QString::fromStdString(home.string()));
    env.insert("XDG_CONFIG_HOME", QString::fromStdString((home / ".config").string()));
    return env;
}

void Start(QProcess& process, const fs::path& home, const QStringList& args, const QString& shellPrefix)
{
    process.setProcessEnvironment(Environment(home));
    if (shellPrefix.isEmpty()) {
        process.start(QStringLiteral(QUILLORA_CLI), args);
        return;
    }
    QString command = shellPrefix + " exec \"$0\" \"$@\"";
    process.start("/bin/bash", QStringList{"-c", command, QStringLiteral(QUILLORA_CLI)} + args);
}

CliRun Finish(QProcess& process)
{
    EXPECT_TRUE(process.waitForFinished(120000));
    CliRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

std::string Tool(const QString& program, const QStringList& args, int* exitCode = nullptr)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitCode();
    return process.readAllStandardOutput().toStdString();
}

} // namespace

Workstation::Workstation()
{
    std::string pattern = (fs::temp_directory_path() / "qcli-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
    home = root / "home";
    scan = root / "scan";
    charts = root / "charts";
    for (const auto& folder : {home / ".config", scan, charts})
        fs::create_directories(folder);
    Set("ScannerDir", QString::fromStdString(scan.string()));
    Set("Target", QString::fromStdString(charts.string()));
    Set("WriteDate", "0");
}

Workstation::~Workstation()
{
    std::error_code ec;
    fs::remove_all(root, ec);
}

CliRun Workstation::Run(const QStringList& args, const QString& shellPrefix) const
{
    QProcess process;
    Start(process, home, args, shellPrefix);
    return Finish(process);
}

std::pair<CliRun, CliRun> Workstation::RunTwice(const QStringList& args) const
{
    QProcess first, second;
    Start(first, home, args, {});
    Start(second, home, args, {});
    return {Finish(first), Finish(second)};
}

// Changes the workstation's settings file in this process, as "settings set" would.
void Workstation::Set(const QString& name, const QString& value) const
{
    const std::string savedConfig = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    const std::string config = (home / ".config").string();
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    TRegistory settings;
    settings.Load();
    const auto change = cli::SetSetting(settings, name.toStdString(), value.toStdString());
    if (change.ok)
        settings.Save();
    ::setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    ASSERT_TRUE(change.ok) << change.message;
}

void Workstation::Edit(const std::function<void(TRegistory&)>& change) const
{
    const std::string savedConfig = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    ::setenv("XDG_CONFIG_HOME", (home / ".config").string().c_str(), 1);
    TRegistory settings;
    settings.Load();
    change(settings);
    settings.Save();
    ::setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
}

std::string Workstation::WriteImage(const QImage& image, const std::string& name) const
{
    const auto file = (scan / name).string();
    imaging::writeImageFile(image, QString::fromStdString(file));
    return file;
}

PdfFacts Workstation::Inspect(const fs::path& pdf)
{
    PdfFacts facts;
    const QString file = QString::fromStdString(pdf.string());
    int checkStatus = -1;
    Tool("qpdf", {"--check", file}, &checkStatus);
    facts.qpdfCheckPassed = checkStatus == 0;

    const std::string info = Tool("pdfinfo", {file});
    std::smatch match;
    if (std::regex_search(info, match, std::regex(R"(Pages:\s+(\d+))")))
        facts.pages = std::stoi(match[1]);

    const std::string images = Tool("pdfimages", {"-list", file});
    const std::regex row(R"(^\s*\d+\s+\d+\s+image\s+(\d+)\s+(\d+)\s+rgb\s+3\s+8\s+jpeg)");
    std::istringstream lines(images);
    for (std::string line; std::getline(lines, line);)
        if (std::regex_search(line, match, row))
            facts.imageSizes.emplace_back(std::stoi(match[1]), std::stoi(match[2]));

    const auto json = QJsonDocument::fromJson(
        QByteArray::fromStdString(Tool("qpdf", {"--json", "--json-key=outlines", file})));
    for (const auto entry : json.object()["outlines"].toArray()) {
        const auto object = entry.toObject();
        facts.outlines.emplace_back(object["title"].toString().toStdString(),
                                    object["destpageposfrom1"].toInt());
    }

    const std::string bytes = ReadText(pdf);
    const std::regex contents(R"(/Contents \(([^)]*)\)\r\n/S \(PRAnnotation1\))");
    for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), contents); it != std::sregex_iterator();
         ++it)
        facts.annotationTexts.push_back((*it)[1]);
    std::set<std::string> boxes;
    const std::regex box(R"(/MediaBox (\[[^\]]*\]))");
    for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), box); it != std::sregex_iterator(); ++it)
        boxes.insert((*it)[1]);
    if (boxes.size() == 1)
        facts.mediaBox = *boxes.begin();
    std::smatch kids, open;
    if (std::regex_search(bytes, kids, std::regex(R"(/Kids \[([^\]]*)\])")) &&
        std::regex_search(bytes, open, std::regex(R"(/OpenAction \[(\d+) 0 R /XYZ 0 (\d+) 1 \])"))) {
        std::vector<std::string> pages;
        const std::string list = kids[1];
        const std::regex reference(R"((\d+) 0 R)");
        for (auto it = std::sregex_iterator(list.begin(), list.end(), reference);
             it != std::sregex_iterator(); ++it)
            pages.push_back((*it)[1]);
        const auto at = std::find(pages.begin(), pages.end(), open[1].str());
        facts.openActionPage = at == pages.end() ? 0 : static_cast<int>(at - pages.begin()) + 1;
    }
    return facts;
}

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> Entries(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace quillora::test
