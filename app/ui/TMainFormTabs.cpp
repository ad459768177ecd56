// The tabs of the main window beside the page list: the annotation memo and the patient tab.
#include "app/ui/TMainForm.h"
#include "imaging/ImageError.h"
#include "imaging/ImageFiles.h"
#include "settings/SettingsSchema.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

namespace {

// The memo's lines as a list: an empty memo has none, and a final line break does not start
// another line.
QStringList memoLines(const QPlainTextEdit& memo)
{
    QString text = memo.toPlainText();
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

} // namespace

// ---- tabs and the annotation memo ----

void TMainForm::SetNoteTabVisible(bool visible)
{
    PageControl1->setTabVisible(PageControl1->indexOf(TabSheet4), visible);
}

void TMainForm::PageControl1Change()
{
    if (PageControl1->currentWidget() == TabSheet4)
        TabSheet4Show();
    RefreshActiveTab();
}

void TMainForm::RefreshActiveTab()
{
    StoreNote();
    QWidget* active = PageControl1->currentWidget();
    if (active == TabSheet1)
        ShowPatientPages();
    else if (active == TabSheet4)
        LoadNote();
}

void TMainForm::WarnOfLossyText(const QString& text)
{
    const std::string warning = quillora::settings::LossyTextWarning(text.toStdString());
    if (!warning.empty())
        SetStatusText(1, QString::fromStdString(warning));
}

void TMainForm::StoreNote()
{
    if (!PageList.contains(CurrentPage) || !NoteMemo->document()->isModified())
        return;
    PageList.at(CurrentPage).Note = memoLines(*NoteMemo);
    NoteMemo->document()->setModified(false);
}

void TMainForm::LoadNote()
{
    if (CurrentPage < 0)
        return;
    NoteMemo->clear();
    if (PageList.contains(CurrentPage) && PageList.at(CurrentPage).Note)
        NoteMemo->setPlainText(PageList.at(CurrentPage).Note->join(u'\n'));
    NoteMemo->document()->setModified(false);
}

void TMainForm::TabSheet4Show()
{
    NotePageNoLabel->setText(QString::number(CurrentPage + 1));
}

void TMainForm::Button1Click()
{
    NoteMemo->clear();
    NoteMemo->document()->setModified(true);
}

void TMainForm::Button2Click()
{
    NoteMemo->copy();
}

void TMainForm::Button3Click()
{
    NoteMemo->cut();
    NoteMemo->document()->setModified(true);
}

void TMainForm::Button4Click()
{
    NoteMemo->paste();
    NoteMemo->document()->setModified(true);
}

// ---- patient tab ----

namespace {

// Reads a page for the patient tab; on failure sets `message` to the text for panel 1.
QImage readPatientPage(const QString& file, QString& message)
{
    try {
        QImage image = quillora::imaging::readImageFile(file);
        if (image.isNull())
            message = QStringLiteral("サポートしていないファイル形式があります。");
        return image;
    } catch (const quillora::imaging::ImageError& error) {
        message = error.kind() == quillora::imaging::ImageError::Kind::Open
            ? QStringLiteral("ファイルを開くことができません。")
            : QStringLiteral("サポートしていないファイル形式があります。");
    }
    return {};
}

} // namespace

void TMainForm::ShowPatientPages()
{
    SetStatusText(1, QString());
    if (PageList.empty())
        return;
    QString message;
    const QImage first = readPatientPage(PageList.at(0).FileName, message);
    if (!message.isEmpty()) {
        SetStatusText(1, message);
        return;
    }
    Image1->setPixmap(QPixmap::fromImage(first));
    if (PageList.size() < 2) {
        Image2->setVisible(false);
        return;
    }
    const QImage second = readPatientPage(PageList.at(1).FileName, message);
    if (!message.isEmpty()) {
        SetStatusText(1, message);
        return;
    }
    Image2->setVisible(true);
    Image2->setPixmap(QPixmap::fromImage(second));
}

void TMainForm::TabSheet1Resize()
{
    const int half = TabSheet1->width() / 2;
    const int height = TabSheet1->height();
    Image1->setGeometry(1, 1, half - 2, height - 2);
    Image2->setGeometry(half + 1, 1, half - 2, height - 2);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == TabSheet1 && event->type() == QEvent::Resize)
        TabSheet1Resize();
    return QMainWindow::eventFilter(watched, event);
}
