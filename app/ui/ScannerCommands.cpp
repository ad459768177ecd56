#include "app/ui/ScannerCommands.h"

#include "app/ui/MainFormPrompts.h"
#include "imaging/ImageError.h"

#include <QDir>
#include <QFileInfo>
#include <QInputDialog>

namespace quillora::ui {

namespace {

// Lists the scanner sources in a selection dialog.
class DialogSourceChooser : public imaging::ScannerSourceChooser {
public:
    QWidget* parent = nullptr;

    std::optional<std::string> chooseSource(const std::vector<imaging::ScannerSource>& sources,
                                            const std::string& current) override
    {
        QStringList entries;
        int currentIndex = 0;
        for (const auto& source : sources) {
            if (source.name == current)
                currentIndex = static_cast<int>(entries.size());
            entries << QStringLiteral("%1 (%2 %3)")
                           .arg(QString::fromStdString(source.name), QString::fromStdString(source.vendor),
                                QString::fromStdString(source.model));
        }
        if (entries.isEmpty())
            entries << QString();
        bool ok = false;
        const QString chosen =
            QInputDialog::getItem(parent, QStringLiteral("Ｔｗａｉｎ装置選択"), QStringLiteral("スキャナ"),
                                  entries, currentIndex, false, &ok);
        const auto index = entries.indexOf(chosen);
        if (!ok || index < 0 || index >= static_cast<qsizetype>(sources.size()))
            return std::nullopt;
        return sources[static_cast<std::size_t>(index)].name;
    }
};

} // namespace

QString withScanExtension(const QString& name, int filterIndex)
{
    static const char* const extensions[] = {".jpg", ".bmp", ".tif", ".png"};
    const int entry = filterIndex >= 1 && filterIndex <= 4 ? filterIndex - 1 : 0;
    const QFileInfo info(name);
    const QString base = info.suffix().isEmpty() ? info.fileName() : info.completeBaseName();
    const QString folder = info.path();
    const QString file = base + QString::fromLatin1(extensions[entry]);
    return folder == QStringLiteral(".") && !name.startsWith(QStringLiteral("."))
               ? file
               : QDir::toNativeSeparators(QDir(folder).filePath(file));
}

ScannerCommands::ScannerCommands(imaging::ScannerSourceChooser* chooser)
    : ownChooser_(chooser ? nullptr : std::make_unique<DialogSourceChooser>()),
      chooser_(chooser ? chooser : ownChooser_.get())
{
    ImageIO4.SetSourceChooser(chooser_);
}

ScannerCommands::~ScannerCommands() = default;

bool ScannerCommands::chooseSource(QWidget* parent)
{
    if (auto* dialog = dynamic_cast<DialogSourceChooser*>(chooser_))
        dialog->parent = parent;
    return ImageIO4.ChooseTwainSource();
}

QString ScannerCommands::acquireAndSave(QWidget* parent, MainFormPrompts& prompts,
                                        const QString& scannerFolder)
{
    if (!ImageIO4.AcquireTwainImage())
        return {};
    const auto choice =
        prompts.chooseScanSaveFile(parent, scannerFolder, QString::fromLatin1(kScanSaveFilter));
    if (!choice)
        return {};
    try {
        ImageIO4.WriteImageFile(withScanExtension(choice->fileName, choice->filterIndex));
    } catch (const imaging::ImageError& error) {
        prompts.showError(parent, QString::fromUtf8(error.what()));
        return {};
    }
    return ImageIO4.Failed() ? QStringLiteral("＊＊＊　ファイル保存に失敗しました。") : QString();
}

} // namespace quillora::ui
