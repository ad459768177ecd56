#include "app/warnings/TNotOverwrite.h"

#include <QLabel>

TNotOverwrite::TNotOverwrite(QWidget* owner) : WarningDialog(owner, 228, 113)
{
    setObjectName(QStringLiteral("NotOverwrite"));
    Label1 = addLine(QString(), QStringLiteral("Label1"));
    addLine(QStringLiteral(u"ファイルの上書きができません。"));
    addButton(QStringLiteral(u"了解"), QStringLiteral("OkButton"), Accepted);
}

void TNotOverwrite::Warn(const QString& chartFileName) { execShowing(Label1, chartFileName); }
