#pragma once
// Drives modal windows headlessly: a step runs from inside the window's own event loop once
// a window of the wanted kind is the active modal widget, and presses its real buttons.
// A window that never appears, or that the step leaves open (a failed assertion inside the
// step, a button that does not close), fails the test instead of hanging it. The test main
// checks at the end of every test that each expected window appeared and none is still open.
// Steps drive the windows with QTest, which this header brings along.
#include <QAbstractButton>
#include <QString>
#include <QTest>
#include <QWidget>
#include <functional>
#include <source_location>

namespace quillora::test {

// Long enough for a slow sanitizer build; only a test that is already failing waits it out.
inline constexpr int kModalTimeoutMs = 20000;

// Runs `step` on the next visible modal window that `matches` accepts. `what` names the
// expected window in failure messages, which point at `where`. Call before the code that opens
// the window.
void ExpectModal(const QString& what, std::function<bool(QWidget&)> matches,
                 std::function<void(QWidget&)> step, int timeoutMs = kModalTimeoutMs,
                 std::source_location where = std::source_location::current());

// Runs `step` on the next modal window of type Window.
template <typename Window>
void WhenModal(std::function<void(Window&)> step, int timeoutMs = kModalTimeoutMs,
               std::source_location where = std::source_location::current())
{
    ExpectModal(
        QString::fromLatin1(Window::staticMetaObject.className()),
        [](QWidget& window) { return qobject_cast<Window*>(&window) != nullptr; },
        [step = std::move(step)](QWidget& window) { step(*qobject_cast<Window*>(&window)); }, timeoutMs,
        where);
}

// Presses the button captioned or named `textOrName` of the next modal window that has one.
void PressWhenModal(const QString& textOrName, int timeoutMs = kModalTimeoutMs,
                    std::source_location where = std::source_location::current());

// Closes the next modal window the way the title bar's close box does.
void CloseWhenModal(int timeoutMs = kModalTimeoutMs,
                    std::source_location where = std::source_location::current());

// The button of `window` whose text or object name is `textOrName`, or nullptr.
QAbstractButton* FindButton(QWidget& window, const QString& textOrName);

// Presses a button as the clerk would. Check boxes and radio buttons react only over their
// box and text, so they are pressed near their left edge rather than at their centre.
void Click(QWidget* button);

// Minimizes `window` and restores it, as the clerk does from the taskbar; the restore delivers
// a spontaneous show event.
void MinimizeAndRestore(QWidget& window);

// Ends every expectation of the running test: one whose window never appeared, and a modal
// window still open, fail the test; the open window is closed so the next test starts clean.
void FinishModalExpectations();

// Makes GoogleTest call FinishModalExpectations() at the end of every test.
void InstallModalChecks();

} // namespace quillora::test
