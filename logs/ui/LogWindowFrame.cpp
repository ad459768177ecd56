#include "logs/ui/LogWindowFrame.h"

#include <QStatusBar>
#include <QTextCursor>
#include <QVBoxLayout>

namespace quillora {

LogWindowFrame buildLogWindowFrame(QWidget& window, const QString& memoName, bool readOnly)
{
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* memo = new QPlainTextEdit(&window);
    memo->setObjectName(memoName);
    memo->setReadOnly(readOnly);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(memo);

    auto* statusBar = new QStatusBar(&window);
    statusBar->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->setSizeGripEnabled(false);
    layout->addWidget(statusBar);
    return {layout, memo, statusBar};
}

void showLogInMemo(const ChartLog& log, QPlainTextEdit& memo)
{
    memo.setPlainText(QString::fromStdString(log.text()));
    memo.moveCursor(QTextCursor::End);
}

} // namespace quillora
