#include "inquiry/FileProperties.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

namespace quillora::inquiry {
namespace {

QString DateText(const QDateTime& time)
{
    return time.isValid() ? time.toString("yyyy/MM/dd HH:mm:ss") : QStringLiteral("不明");
}

} // namespace

QString PropertiesText(const QFileInfo& info)
{
    QStringList lines;
    lines << QStringLiteral("名前: %1").arg(info.fileName());
    lines << QStringLiteral("種類: %1")
                 .arg(info.isDir() ? QStringLiteral("フォルダー") : QStringLiteral("ファイル"));
    if (!info.isDir())
        lines << QStringLiteral("サイズ: %1 バイト").arg(QLocale::c().toString(info.size()));
    if (info.birthTime().isValid())
        lines << QStringLiteral("作成日時: %1").arg(DateText(info.birthTime()));
    lines << QStringLiteral("更新日時: %1").arg(DateText(info.lastModified()));
    lines << QStringLiteral("アクセス日時: %1").arg(DateText(info.lastRead()));
    lines << QStringLiteral("場所: %1").arg(QDir::toNativeSeparators(info.absolutePath()));
    return lines.join('\n');
}

} // namespace quillora::inquiry
