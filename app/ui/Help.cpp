#include "app/ui/Help.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace quillora::ui {

QString ManualPath()
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QStringList candidates{
        program.filePath(QStringLiteral("../share/quillora/manual/index.html")),
        program.filePath(QStringLiteral("manual/index.html")),
        QStringLiteral(QUILLORA_MANUAL_SOURCE "/index.html"),
    };
    for (const QString& candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(QFileInfo(candidate).absoluteFilePath());
    }
    return {};
}

} // namespace quillora::ui
