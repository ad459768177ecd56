// The tabs of the main window beside the page list: the annotation memo and the patient tab.
#include "app/pages/PatientPages.h"
#include "app/ui/TMainForm.h"
#include "settings/SettingsSchema.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>

// The memo's lines as a list: an empty memo has none, and a final line break does not start
// another line.
QStringList TMainForm::NoteMemoLines() const
{
    QString text = NoteMemo->toPlainText();
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

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
    if (!NoteMemo->document()->isModified())
        return;
    if (!PageList.contains(CurrentPage)) {
        // Typed for a page that is gone: it must never land on another page.
        NoteMemo->document()->setModified(false);
        return;
    }
    PageList.at(CurrentPage).Note = NoteMemoLines();
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

void TMainForm::TabSheet4Show() { NotePageNoLabel->setText(QString::number(CurrentPage + 1)); }

void TMainForm::Button1Click()
{
    NoteMemo->clear();
    NoteMemo->document()->setModified(true);
}

void TMainForm::Button2Click() { NoteMemo->copy(); }

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

void TMainForm::ShowPatientPages()
{
    SetStatusText(1, QString());
    if (PageList.empty())
        return;
    const quillora::pages::PatientPage first = quillora::pages::ReadPatientPage(PageList.at(0).FileName);
    if (!first.ok()) {
        SetStatusText(1, first.message);
        return;
    }
    Image1->setPixmap(QPixmap::fromImage(first.image));
    if (PageList.size() < 2) {
        Image2->setVisible(false);
        return;
    }
    const quillora::pages::PatientPage second = quillora::pages::ReadPatientPage(PageList.at(1).FileName);
    if (!second.ok()) {
        SetStatusText(1, second.message);
        return;
    }
    Image2->setVisible(true);
    Image2->setPixmap(QPixmap::fromImage(second.image));
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
