#pragma once
// What both log windows are made of: a memo filling the window (no word wrap, both scroll
// bars) above a status bar.
#include <QPlainTextEdit>

#include "logs/ChartLog.h"

class QStatusBar;
class QVBoxLayout;

namespace quillora {

struct LogWindowFrame {
    QVBoxLayout* layout;
    QPlainTextEdit* memo;
    QStatusBar* statusBar;
};

// Lays out `window` as memo and status bar; a menu bar can still be put above.
LogWindowFrame buildLogWindowFrame(QWidget& window, const QString& memoName, bool readOnly);

// Shows the lines of `log` in `memo`, with the cursor on the last line.
void showLogInMemo(const ChartLog& log, QPlainTextEdit& memo);

} // namespace quillora
