#include "logs/LogMemo.h"

#include <QTextCursor>

namespace quillora {

QPlainTextEdit* makeLogMemo(QWidget* parent, const QString& objectName, bool readOnly)
{
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(objectName);
    memo->setReadOnly(readOnly);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return memo;
}

void showLogInMemo(const ChartLog& log, QPlainTextEdit& memo)
{
    memo.setPlainText(QString::fromStdString(log.text()));
    memo.moveCursor(QTextCursor::End);
}

} // namespace quillora
