#pragma once
// Qt's own Japanese translations (standard buttons, file dialogs, context menus), so that no
// English text of the toolkit reaches the clerk.
class QCoreApplication;
class QTranslator;

namespace quillora::ui {

// Installs the translations on `app` (which owns them); nullptr when the translation files
// are not installed.
QTranslator* InstallJapaneseTranslations(QCoreApplication& app);

} // namespace quillora::ui
