#include "app/ui/WarningWindows.h"

#include "app/warnings/TDeleteWarningForm.h"
#include "app/warnings/TNotDelete.h"
#include "app/warnings/TNotMakeFolder.h"
#include "app/warnings/TNotOverwrite.h"

namespace quillora::ui {

WarningWindows::WarningWindows(QWidget* owner)
    : NotMakeFolderForm(new TNotMakeFolder(owner)), NotOverwriteForm(new TNotOverwrite(owner)),
      DeleteWarningForm(new TDeleteWarningForm(owner)), NotDeleteForm(new TNotDelete(owner))
{
}

void WarningWindows::NotOverwrite(const std::string& chartName)
{
    NotOverwriteForm->Warn(QString::fromStdString(chartName));
}

void WarningWindows::NotMakeFolder(const std::string& pathOrName)
{
    if (deferFolderWarning)
        pendingFolderWarning = pathOrName;
    else
        NotMakeFolderForm->Warn(QString::fromStdString(pathOrName));
}

void WarningWindows::ShowPendingFolderWarning()
{
    if (pendingFolderWarning)
        NotMakeFolderForm->Warn(QString::fromStdString(*pendingFolderWarning));
    pendingFolderWarning.reset();
}

save::DeleteChoice WarningWindows::NotDelete(const std::string& fileName)
{
    return NotDeleteForm->Ask(QString::fromStdString(fileName)) == TNotDelete::Choice::StopClearing
               ? save::DeleteChoice::Stop
               : save::DeleteChoice::Next;
}

bool WarningWindows::ConfirmClearFolder(const std::string& folder)
{
    return DeleteWarningForm->Confirm(QString::fromStdString(folder));
}

void WarningWindows::Started(int pages)
{
    if (onStarted)
        onStarted(pages);
}

void WarningWindows::PageDone(int done, const std::string& file)
{
    if (onPageDone)
        onPageDone(done, file);
}

} // namespace quillora::ui
