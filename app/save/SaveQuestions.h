#pragma once
// Every question and notice of the save flow and of the clearing of the scanner folder. The
// main window answers with its warning windows, the command line and the tests without any.
#include <string>

namespace quillora::save {

enum class DeleteChoice { Next, Stop };

class SaveQuestions {
public:
    virtual ~SaveQuestions() = default;

    // An existing chart may not be overwritten (shows the chart file name).
    virtual void NotOverwrite(const std::string& chartName) = 0;

    // A folder or file cannot be made (shows the folder path or the chart file name).
    virtual void NotMakeFolder(const std::string& pathOrName) = 0;

    // A file of the scanner folder cannot be deleted (shows its name without folder):
    // go on with the next file or stop the clearing.
    virtual DeleteChoice NotDelete(const std::string& fileName) = 0;

    // Whether all files of the scanner folder may be deleted (menu command only).
    virtual bool ConfirmClearFolder(const std::string& folder) = 0;

    // Progress of the composition, once the pages to compose are counted: `Started` before
    // the first page, `PageDone` after each (1-based count, full path of its image). The
    // window shows it and lets pending window messages run so that it keeps painting.
    virtual void Started(int pages) = 0;
    virtual void PageDone(int done, const std::string& file) = 0;
};

} // namespace quillora::save
