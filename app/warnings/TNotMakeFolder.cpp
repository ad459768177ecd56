#include "app/warnings/TNotMakeFolder.h"

#include <QLabel>

TNotMakeFolder::TNotMakeFolder(QWidget* owner) : WarningDialog(owner, 526, 127)
{
    setObjectName(QStringLiteral("NotMakeFolder"));
    Label1 = addLine(QString(), QStringLiteral("Label1"));
    addLine(QStringLiteral(u"ファイルまたはフォルダーを作成できません。　"));
    addLine(QStringLiteral(u"Diskの容量不足または書き込み不可のデバイスの可能性があります。"));
    addLine(QStringLiteral(u"又は、使用中の可能性があります。"));
    addButton(QStringLiteral(u"了解"), QStringLiteral("OkButton"), Accepted);
}

void TNotMakeFolder::Warn(const QString& folderOrFileName) { execShowing(Label1, folderOrFileName); }
