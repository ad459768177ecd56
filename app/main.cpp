// Start-up of the workstation: the main window creates its windows once, in a fixed order,
// and loads the settings when it is first shown.
#include "app/ui/ImageShowEditor.h"
#include "app/ui/TMainForm.h"
#include "app/ui/Translations.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Travex"));
    QApplication::setApplicationName(QStringLiteral("Quillora"));
    quillora::ui::InstallJapaneseTranslations(app);
    TMainForm window;
    window.setImageEditor(
        std::make_unique<quillora::ui::ImageShowEditor>([&window] { window.RedrawPages(); }));
    window.show();
    return app.exec();
}
