// Closing rules, the busy state and the menu enabling rules of the main window.
#include "MainFormFixture.h"

#include "app/ui/Tinfo.h"
#include "app/ui/Translations.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

namespace quillora::test {
namespace {

QString SettingsFile()
{
    return QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/Travex/QuilloraShare.reg");
}

TEST_F(MainFormTest, ClosingWhileBusyDoesNothing)
{
    form->EnableControls(false);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(prompts.closeQuestions, 0);
    form->EnableControls(true);
}

TEST_F(MainFormTest, ClosingWithAnUnsavedLogAsksAndNoKeepsEverything)
{
    QFile::remove(SettingsFile());
    form->Settings().VolNo = "7";
    form->SaveLog().addLine("12345,/charts/HP_12345_0.pdf");
    form->SaveLog().setModified(true);
    prompts.closeAnswer = false;
    EXPECT_FALSE(form->close());
    EXPECT_EQ(prompts.closeQuestions, 1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(QFileInfo::exists(SettingsFile())); // nothing written to the store

    prompts.closeAnswer = true;
    EXPECT_TRUE(form->close());
    EXPECT_EQ(prompts.closeQuestions, 2);
    EXPECT_TRUE(QFileInfo::exists(SettingsFile()));
    TRegistory stored;
    stored.Load();
    EXPECT_EQ(stored.VolNo, "7");
}

TEST_F(MainFormTest, ClosingWithTheLogUnchangedAsksNothingAndWritesTheSettings)
{
    QFile::remove(SettingsFile());
    EXPECT_TRUE(form->close());
    EXPECT_EQ(prompts.closeQuestions, 0);
    EXPECT_TRUE(QFileInfo::exists(SettingsFile()));
}

TEST_F(MainFormTest, BusyStateDisablesExactlyTheWorkingControls)
{
    form->EnableControls(false);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{form->PageControl1, form->SaveButton, form->IdEdit, form->VolNoEdit})
        EXPECT_FALSE(widget->isEnabled()) << widget->objectName().toStdString();
    for (QAction* action : {form->ScannerOpen, form->FileOpen, form->LogBtn, form->FileNemu->menuAction(),
                            form->EditMenu->menuAction(), form->displayMenu->menuAction(),
                            form->SetMenu->menuAction(), form->UtilMenu})
        EXPECT_FALSE(action->isEnabled()) << action->objectName().toStdString();
    EXPECT_TRUE(form->N9->menuAction()->isEnabled());
    EXPECT_TRUE(form->N11->isEnabled());
    form->EnableControls(true);
    EXPECT_TRUE(form->SaveButton->isEnabled());
    EXPECT_TRUE(form->UtilMenu->isEnabled());
}

TEST_F(MainFormTest, MenusFollowTheActiveTabAndTheCurrentPage)
{
    addScan(QStringLiteral("a.png"));
    takeInScannerFolder();
    ASSERT_EQ(form->PageList.size(), 1);
    emit form->FileNemu->aboutToShow();
    emit form->EditMenu->aboutToShow();
    emit form->displayMenu->aboutToShow();
    EXPECT_TRUE(form->ScannerImage->isEnabled());
    EXPECT_TRUE(form->FolderImage->isEnabled());
    EXPECT_TRUE(form->PageDeleteMenu->isEnabled()); // CurrentPage is 0 after an intake
    EXPECT_TRUE(form->PageRedispMenu->isEnabled());

    clickItem(0); // makes the annotation tab visible
    form->PageControl1->setCurrentWidget(form->TabSheet4);
    emit form->FileNemu->aboutToShow();
    emit form->EditMenu->aboutToShow();
    emit form->displayMenu->aboutToShow();
    EXPECT_FALSE(form->ScannerImage->isEnabled());
    EXPECT_FALSE(form->FolderImage->isEnabled());
    EXPECT_FALSE(form->PageDeleteMenu->isEnabled());
    EXPECT_FALSE(form->PageRedispMenu->isEnabled());

    form->PageControl1->setCurrentWidget(form->TabSheet2);
    QTest::mouseClick(form->ListView1->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(600, 300));
    EXPECT_EQ(form->CurrentPage, -1);
    emit form->EditMenu->aboutToShow();
    EXPECT_FALSE(form->PageDeleteMenu->isEnabled());
}

TEST_F(MainFormTest, StartsWithTheStoredSerialNumberAndTheScanCommandDisabled)
{
    EXPECT_EQ(form->VolNoEdit->text(), QStringLiteral("0"));
    EXPECT_FALSE(form->TwainReadMenu->isEnabled());
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet2);
    EXPECT_FALSE(form->PageControl1->isTabVisible(form->PageControl1->indexOf(form->TabSheet4)));
    form->Settings().VolNo = "12";
    ASSERT_TRUE(form->close());
    TMainForm second(&prompts);
    second.show();
    EXPECT_EQ(second.VolNoEdit->text(), QStringLiteral("12"));
    second.close();
}

TEST_F(MainFormTest, HelpAndTheInformationLinkOpenTheShippedManual)
{
    form->N13->trigger();
    ASSERT_EQ(prompts.opened.size(), 1);
    EXPECT_TRUE(prompts.opened.first().endsWith(QStringLiteral("manual/index.html")));
    EXPECT_TRUE(QFileInfo::exists(prompts.opened.first()));
    form->N11->trigger();
    EXPECT_EQ(prompts.modalShown.last(), QStringLiteral("Tinfo"));
    EXPECT_EQ(Tinfo::LinkTarget(), prompts.opened.first());
}

TEST(Translations, QtsOwnButtonsReadInJapanese)
{
    QTranslator* translator = ui::InstallJapaneseTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Open"), QStringLiteral("開く"));
    QCoreApplication::removeTranslator(translator);
    delete translator;
    QLocale::setDefault(QLocale::c());
}

TEST_F(MainFormTest, InquiryClearsTheMessageAndShowsTheLookupModally)
{
    form->SetStatusText(1, QStringLiteral("保存しました。"));
    form->UtilMenu->trigger();
    EXPECT_TRUE(form->StatusText(1).isEmpty());
    ASSERT_EQ(prompts.modalShown.size(), 1);
    form->LogBtn->trigger();
    form->N17->trigger();
    EXPECT_EQ(prompts.modalShown.size(), 3);
}

} // namespace
} // namespace quillora::test

namespace quillora::test {
namespace {

TEST_F(MainFormTest, IntakeSettingsConfirmedPutTheDefaultSerialIntoTheWindow)
{
    form->VolNoEdit->setText(QStringLiteral("5"));
    PressWhenModal(QStringLiteral("キャンセル"));
    form->ReadImage->trigger();
    EXPECT_EQ(form->VolNoEdit->text(), QStringLiteral("5"));
    PressWhenModal(QStringLiteral("設定"));
    form->ReadImage->trigger();
    EXPECT_EQ(form->VolNoEdit->text(), QStringLiteral("0"));
    PressWhenModal(QStringLiteral("キャンセル"));
    form->N4->trigger();
    EXPECT_TRUE(form->isVisible());
}

} // namespace
TEST_F(MainFormTest, ASettingsWriteThatFailsAtCloseIsReported)
{
    const QString folder = QFileInfo(SettingsFile()).absolutePath();
    QDir(folder).removeRecursively();
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the settings folder belongs
    blocker.close();
    EXPECT_TRUE(form->close());
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors.front().contains(QStringLiteral("QuilloraShare.reg")))
        << prompts.errors.front().toStdString();
    QFile::remove(folder);
}

} // namespace quillora::test
