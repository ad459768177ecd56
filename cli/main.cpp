// quillora-cli: files charts, finds patient folders and edits the settings without a window,
// with the workstation's own settings and save flow.
#include "cli/Commands.h"
#include "cli/ExitStatus.h"

#include <QCoreApplication>
#include <csignal>
#include <exception>
#include <iostream>

namespace quillora::cli {

void PrintHelp()
{
    std::cout <<
        R"(Usage: quillora-cli COMMAND [ARGUMENTS]

Files chart PDFs exactly as the Quillora workstation does, with its settings.

Commands:
  save --patient N --serial S [--files F ...] [--title PAGE=TEXT ...] [--note PAGE=TEXT ...]
        Saves one chart. Without --files the pages are the image files of the scanner
        folder, taken in by name as the workstation's scanner intake does.
          --patient N        patient number, 1 to 99999999
          --serial S         serial number, 0 to 999
          --files F ...      the page image files, in page order (page 1 first)
          --title PAGE=TEXT  bookmark title of page PAGE (1 is the first page)
          --note PAGE=TEXT   annotation line of page PAGE; repeat for more lines
        On success the save-log line goes to standard output. A page named by --files
        that is missing or not a regular file refuses the save before anything is written.
        Clearing: only when FolderClear is set and only without --files, after the chart
        is on disk, the save deletes the scanner-folder files its intake took in. Files
        that appeared in the folder after the intake stay and are listed; nothing below
        the archive base folder is ever deleted. With --files nothing is cleared.
  path N
        Prints the archive folder of patient number N.
  lookup N
        Prints the archive folder of patient number N and the files in it, sorted.
  settings
        Prints all settings as NAME=VALUE lines.
  settings set NAME VALUE
        Changes one setting, checked as the settings dialogs check it.
  --help
        Shows this text.

Messages go to standard error. Exit status:
  0 done               1 unexpected error      2 bad command line
  3 patient number     4 serial number         5 first page only
  6 institution code   7 chart exists          8 folder not made
  9 chart not replaceable                      10 page image unreadable
  11 no page to save   12 chart not written    13 composition failed
  14 scanner folder    15 patient folder not found   16 setting refused
  17 settings not saved
  20 page named by --files missing or not a regular file (nothing written)
  21 chart saved, scanner folder not (fully) cleared  22 chart saved, standard output failed
  23 PDF page size 0   24 chart name too long
)";
}

} // namespace quillora::cli

int main(int argc, char** argv)
{
    using namespace quillora::cli;
    // A file-size limit then makes writes fail with an error instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
#ifdef SIGPIPE
    // A closed standard output then fails the write, which the save reports by its status.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QCoreApplication app(argc, argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp();
        return args.empty() ? kExitUsage : kExitOk;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    try {
        if (args[0] == "save")
            return RunSave(rest);
        if (args[0] == "path")
            return RunPath(rest);
        if (args[0] == "lookup")
            return RunLookup(rest);
        if (args[0] == "settings")
            return RunSettings(rest);
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return kExitUnexpected;
    }
    std::cerr << "unknown command: " << args[0] << "\n(see quillora-cli --help)\n";
    return kExitUsage;
}
