#pragma once
// Drives a modal dialog from inside its own event loop, the way a user would: a timer waits
// for QApplication::activeModalWidget() and then runs an action on it, typically pressing a
// real button with QTest::mouseClick. Tests never call accept() or reject() themselves.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace quillora::test {

// The button of `dialog` whose text or object name is `textOrName`, or nullptr.
inline QAbstractButton* findButton(QWidget* dialog, const QString& textOrName)
{
    const auto buttons = dialog->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons)
        if (button->text() == textOrName || button->objectName() == textOrName)
            return button;
    return nullptr;
}

// Runs `action` on the next modal widget once it is shown. Call it just before the code that
// opens the dialog. If no modal widget appears within `timeoutMs`, the test fails.
inline void onNextModal(std::function<void(QWidget*)> action, int timeoutMs = 5000)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, clock, action = std::move(action), timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool expired = clock->elapsed() > timeoutMs;
        if (!modal && !expired)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (!modal) {
            ADD_FAILURE() << "no modal dialog appeared";
            return;
        }
        action(modal);
    });
    timer->start();
}

// Presses the button `textOrName` of the next modal dialog with the mouse. A missing button
// fails the test and closes the dialog through its close box so that the test cannot hang.
inline void clickButtonOfNextModal(const QString& textOrName)
{
    onNextModal([textOrName](QWidget* modal) {
        QAbstractButton* button = findButton(modal, textOrName);
        if (!button) {
            ADD_FAILURE() << "no button " << textOrName.toStdString();
            modal->close();
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    });
}

// Closes the next modal dialog the way the title bar's close box does.
inline void closeNextModal()
{
    onNextModal([](QWidget* modal) { modal->close(); });
}

} // namespace quillora::test
