#pragma once
// Drives modal windows headlessly: a step runs from inside the window's own event loop once
// a window of the wanted type is the active modal widget, and presses its real buttons.
// A window that never appears, or that the step leaves open (a failed assertion inside the
// step, a button that does not close), fails the test instead of hanging it.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace quillora::test {

template <typename Window> class ModalPoller : public std::enable_shared_from_this<ModalPoller<Window>> {
public:
    ModalPoller(std::function<void(Window&)> step, int timeoutMs)
        : step_(std::move(step)), timeoutMs_(timeoutMs)
    {
        clock_.start();
    }

    void Poll()
    {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (window && window->isVisible()) {
            step_(*window);
            clock_.restart();
            WatchUntilClosed(window);
            return;
        }
        if (clock_.elapsed() > timeoutMs_) {
            ADD_FAILURE() << "modal window did not appear";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        QTimer::singleShot(10, [self = this->shared_from_this()] { self->Poll(); });
    }

private:
    // The step must have closed the window; one still open after the timeout is closed here
    // so that the modal loop returns and the test fails rather than hangs.
    void WatchUntilClosed(QPointer<Window> window)
    {
        if (!window || !window->isVisible())
            return;
        if (clock_.elapsed() > timeoutMs_) {
            ADD_FAILURE() << "modal window was left open";
            window->close();
            if (auto* dialog = qobject_cast<QDialog*>(window.data()); dialog && dialog->isVisible())
                dialog->reject();
            return;
        }
        QTimer::singleShot(10, [self = this->shared_from_this(), window] { self->WatchUntilClosed(window); });
    }

    std::function<void(Window&)> step_;
    int timeoutMs_;
    QElapsedTimer clock_;
};

// Runs `step` on the next modal window of type Window; call before the code that opens it.
template <typename Window> void WhenModal(std::function<void(Window&)> step, int timeoutMs = 10000)
{
    auto poller = std::make_shared<ModalPoller<Window>>(std::move(step), timeoutMs);
    QTimer::singleShot(0, [poller] { poller->Poll(); });
}

// Presses a button as the clerk would. Check boxes and radio buttons react only over their
// box and text, so they are pressed near their left edge rather than at their centre.
inline void Click(QWidget* button)
{
    if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    else
        QTest::mouseClick(button, Qt::LeftButton);
}

// Minimizes `window` and restores it, as the clerk does from the taskbar; the restore delivers
// a spontaneous show event.
inline void MinimizeAndRestore(QWidget& window)
{
    window.setWindowState(Qt::WindowMinimized);
    window.setWindowState(Qt::WindowNoState);
}

} // namespace quillora::test
