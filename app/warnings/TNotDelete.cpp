#include "app/warnings/TNotDelete.h"

#include <QFileInfo>
#include <QLabel>

TNotDelete::TNotDelete(QWidget* owner) : WarningDialog(owner, 228, 113)
{
    setObjectName(QStringLiteral("NotDelete"));
    Label1 = addLine(QString(), QStringLiteral("Label1"));
    addLine(QStringLiteral(u"ファイルの削除ができません。"));
    addButton(QStringLiteral(u"次の削除へ"), QStringLiteral("NextButton"), Accepted);
    addButton(QStringLiteral(u"削除終了"), QStringLiteral("StopButton"), StopResult);
}

TNotDelete::Choice TNotDelete::Ask(const QString& fileName)
{
    const int result = execShowing(Label1, QFileInfo(fileName).fileName());
    return result == StopResult ? Choice::StopClearing : Choice::NextFile;
}
