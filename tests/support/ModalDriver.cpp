#include "support/ModalDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <source_location>
#include <vector>

namespace quillora::test {
namespace {

constexpr int kPollMs = 10;

// Closes a modal window so that its event loop returns; a dialog that refuses the close
// (no escape button, a close event it ignores) is rejected.
void ForceClose(QWidget& window)
{
    window.close();
    if (auto* dialog = qobject_cast<QDialog*>(&window); dialog && dialog->isVisible())
        dialog->reject();
}

// One expected modal window: waits for it, runs the step on it, then watches that it closes.
class ModalExpectation {
public:
    ModalExpectation(QString what, std::function<bool(QWidget&)> matches, std::function<void(QWidget&)> step,
                     int timeoutMs, std::source_location where)
        : what_(std::move(what)), matches_(std::move(matches)), step_(std::move(step)), timeoutMs_(timeoutMs),
          where_(where)
    {
        clock_.start();
        timer_.setInterval(kPollMs);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start();
    }

    // Fails the test if the window never appeared or is still open; leaves nothing running.
    void Finish()
    {
        timer_.stop();
        if (state_ == State::Waiting)
            Fail("modal window did not appear before the test ended: ");
        else if (state_ == State::Watching && window_ && window_->isVisible())
            FailLeftOpen();
        state_ = State::Done;
    }

private:
    enum class State { Waiting, Watching, Done };

    void Tick()
    {
        if (state_ == State::Waiting)
            Wait();
        else if (state_ == State::Watching)
            Watch();
    }

    void Wait()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && matches_(*modal)) {
            // The step may open nested modal windows; this one must not poll meanwhile.
            timer_.stop();
            state_ = State::Watching;
            window_ = modal;
            const bool failedBefore = ::testing::Test::HasFailure();
            step_(*modal);
            if (!failedBefore && ::testing::Test::HasFailure() && window_ && window_->isVisible()) {
                // A step that failed has already said why; its window is closed at once.
                state_ = State::Done;
                ForceClose(*window_);
                return;
            }
            clock_.restart();
            timer_.start();
            return;
        }
        if (clock_.elapsed() > timeoutMs_) {
            state_ = State::Done;
            timer_.stop();
            Fail("modal window did not appear: ");
            if (modal)
                ForceClose(*modal); // a window nobody answers would hang the test
        }
    }

    // The step must have closed the window; one still open after the timeout is closed here
    // so that the modal loop returns and the test fails rather than hangs.
    void Watch()
    {
        if (!window_ || !window_->isVisible()) {
            state_ = State::Done;
            timer_.stop();
            return;
        }
        if (clock_.elapsed() > timeoutMs_) {
            state_ = State::Done;
            timer_.stop();
            FailLeftOpen();
        }
    }

    void FailLeftOpen()
    {
        Fail("modal window was left open: ");
        ForceClose(*window_);
    }

    // Failures point at the test line that asked for the window.
    void Fail(const char* problem) const
    {
        ADD_FAILURE_AT(where_.file_name(), static_cast<int>(where_.line())) << problem << what_.toStdString();
    }

    QString what_;
    std::function<bool(QWidget&)> matches_;
    std::function<void(QWidget&)> step_;
    int timeoutMs_;
    std::source_location where_;
    State state_ = State::Waiting;
    QPointer<QWidget> window_;
    QElapsedTimer clock_;
    QTimer timer_;
};

// The expectations of the running test; emptied when it ends. Steps may add to it while
// another expectation's step runs, so entries are held by pointer.
std::vector<std::unique_ptr<ModalExpectation>>& Expectations()
{
    static std::vector<std::unique_ptr<ModalExpectation>> expectations;
    return expectations;
}

class ModalCheckListener : public ::testing::EmptyTestEventListener {
    // Runs before the result printer, so that its failures count for the test just ended.
    void OnTestEnd(const ::testing::TestInfo&) override { FinishModalExpectations(); }
};

} // namespace

void ExpectModal(const QString& what, std::function<bool(QWidget&)> matches,
                 std::function<void(QWidget&)> step, int timeoutMs, std::source_location where)
{
    Expectations().push_back(
        std::make_unique<ModalExpectation>(what, std::move(matches), std::move(step), timeoutMs, where));
}

void PressWhenModal(const QString& textOrName, int timeoutMs, std::source_location where)
{
    ExpectModal(
        QStringLiteral("a window with the button \"%1\"").arg(textOrName),
        [textOrName](QWidget& window) { return FindButton(window, textOrName) != nullptr; },
        [textOrName](QWidget& window) { Click(FindButton(window, textOrName)); }, timeoutMs, where);
}

void CloseWhenModal(int timeoutMs, std::source_location where)
{
    ExpectModal(
        QStringLiteral("any window"), [](QWidget&) { return true; }, [](QWidget& window) { window.close(); },
        timeoutMs, where);
}

QAbstractButton* FindButton(QWidget& window, const QString& textOrName)
{
    const auto buttons = window.findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons)
        if (button->text() == textOrName || button->objectName() == textOrName)
            return button;
    return nullptr;
}

void Click(QWidget* button)
{
    if (qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    else
        QTest::mouseClick(button, Qt::LeftButton);
}

void MinimizeAndRestore(QWidget& window)
{
    window.setWindowState(Qt::WindowMinimized);
    window.setWindowState(Qt::WindowNoState);
}

void FinishModalExpectations()
{
    // Taken out first: a failure report must not find a half-destroyed list.
    auto expectations = std::move(Expectations());
    Expectations().clear();
    for (auto& expectation : expectations)
        expectation->Finish();
    if (QWidget* modal = QApplication::activeModalWidget()) {
        ADD_FAILURE() << "modal window was left open at the end of the test: "
                      << modal->metaObject()->className();
        ForceClose(*modal);
    }
}

void InstallModalChecks() { ::testing::UnitTest::GetInstance()->listeners().Append(new ModalCheckListener); }

} // namespace quillora::test
