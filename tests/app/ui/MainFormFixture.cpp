#include "MainFormFixture.h"

#include "app/ui/PageListView.h"

#include <QAction>
#include <QDir>
#include <QImage>
#include <QTest>

namespace quillora::test {

int FakePrompts::execModal(QDialog& dialog)
{
    modalShown << (dialog.objectName().isEmpty() ? dialog.windowTitle() : dialog.objectName());
    return onModal(dialog);
}

void MainFormTest::SetUp()
{
    ASSERT_TRUE(scanner.isValid());
    ASSERT_TRUE(archive.isValid());
    // Every test starts from a first run: no stored settings.
    QFile::remove(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) +
                  QStringLiteral("/Travex/QuilloraShare.reg"));
    form = std::make_unique<TMainForm>(&prompts);
    form->show();
    TRegistory& settings = form->Settings();
    settings.ScannerDir = QDir::toNativeSeparators(scanner.path()).toStdString();
    settings.Target = QDir::toNativeSeparators(archive.path()).toStdString();
    settings.FolderClear = false;
    settings.WriteDate = false;
}

void MainFormTest::TearDown()
{
    if (form) {
        form->SaveLog().setModified(false);
        form->close();
        form.reset();
    }
}

QString MainFormTest::addScan(const QString& name, int width, int height, Qt::GlobalColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = QDir::toNativeSeparators(QDir(scanner.path()).filePath(name));
    EXPECT_TRUE(image.save(path, QFileInfo(name).suffix().toLatin1().toUpper().constData()));
    return path;
}

void MainFormTest::addFile(const QString& name, const QByteArray& bytes)
{
    QFile file(QDir(scanner.path()).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void MainFormTest::takeInScannerFolder() { form->ScannerOpen->trigger(); }

void MainFormTest::titlePagesByLetter()
{
    for (int k = 0; k < form->PageList.size(); ++k) {
        form->PageList.at(k).Title = QString(QChar(u'A' + k));
        form->RefreshItem(k);
    }
}

QString MainFormTest::titles() const
{
    QString text;
    for (const APageList& page : form->PageList.pages())
        text += page.Title;
    return text;
}

QString MainFormTest::captions() const
{
    QString text;
    for (int k = 0; k < form->ListView1->count(); ++k)
        text += form->ListView1->item(k)->text();
    return text;
}

QPoint MainFormTest::itemCentre(int index) const
{
    return form->ListView1->visualItemRect(form->ListView1->item(index)).center();
}

void MainFormTest::clickItem(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(form->ListView1->viewport(), button, modifiers, itemCentre(index));
}

} // namespace quillora::test
