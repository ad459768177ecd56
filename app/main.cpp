// Start-up of the workstation: the main window creates its windows once, in a fixed order,
// and loads the settings when it is first shown.
#include <QApplication>

#ifdef QUILLORA_HAVE_MAIN_FORM
#include "app/ui/TMainForm.h"
#else
#include <QMainWindow>
#endif

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Travex"));
    QApplication::setApplicationName(QStringLiteral("Quillora"));
#ifdef QUILLORA_HAVE_MAIN_FORM
    TMainForm window;
#else
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Travex Quillora"));
#endif
    window.show();
    return app.exec();
}
