#pragma once
// The text control both log windows show their lines in: no word wrap, both scroll bars.
#include <QPlainTextEdit>

#include "logs/ChartLog.h"

namespace quillora {

QPlainTextEdit* makeLogMemo(QWidget* parent, const QString& objectName, bool readOnly);

// Shows the lines of `log` in `memo`, scrolled to the last line.
void showLogInMemo(const ChartLog& log, QPlainTextEdit& memo);

} // namespace quillora
