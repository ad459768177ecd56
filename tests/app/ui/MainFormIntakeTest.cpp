// Intake commands in the window: order, add mode, file types, picked files, import.
#include "MainFormFixture.h"

#include "app/pages/PageFit.h"

#include "app/ui/ScannerCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace quillora::test {
namespace {

QString namesOf(const TMainForm& form)
{
    QStringList names;
    for (const APageList& page : form.PageList.pages())
        names << QFileInfo(page.FileName).fileName();
    return names.join(u',');
}

TEST_F(MainFormTest, ScannerFolderIntakeTakesFilesByNameIgnoringCase)
{
    addScan(QStringLiteral("b.jpg"));
    addScan(QStringLiteral("A.jpg"));
    addScan(QStringLiteral("c.PNG"));
    form->IdEdit->setText(QStringLiteral("123"));
    form->VolNoEdit->setText(QStringLiteral("5"));
    takeInScannerFolder();
    EXPECT_EQ(namesOf(*form), QStringLiteral("A.jpg,b.jpg,c.PNG"));
    EXPECT_EQ(form->PageList.at(0).FileName,
              QDir::toNativeSeparators(scanner.filePath(QStringLiteral("A.jpg"))));
    EXPECT_EQ(form->ListView1->count(), 3);
    EXPECT_EQ(form->StatusText(0), QStringLiteral("3"));
    EXPECT_EQ(form->CurrentPage, 0);
    EXPECT_TRUE(form->IdEdit->text().isEmpty());
    EXPECT_EQ(form->VolNoEdit->text(), QStringLiteral("0"));
    for (const APageList& page : form->PageList.pages())
        EXPECT_GE(page.ImageIndex, 0);
}

TEST_F(MainFormTest, AddModeSkipsListedNamesAndAppendsNewFiles)
{
    addScan(QStringLiteral("a.jpg"));
    addScan(QStringLiteral("b.jpg"));
    takeInScannerFolder();
    form->ScannerImage->trigger();
    EXPECT_EQ(namesOf(*form), QStringLiteral("a.jpg,b.jpg"));
    addScan(QStringLiteral("0.jpg"));
    form->ScannerImage->trigger();
    EXPECT_EQ(namesOf(*form), QStringLiteral("a.jpg,b.jpg,0.jpg"));
    EXPECT_EQ(form->ListView1->count(), 3);
    // Replace mode starts over in name order.
    takeInScannerFolder();
    EXPECT_EQ(namesOf(*form), QStringLiteral("0.jpg,a.jpg,b.jpg"));
}

TEST_F(MainFormTest, TypeFilterLeavesOtherFormatsAndNoTypeStopsWithAMessage)
{
    addScan(QStringLiteral("a.jpg"));
    addFile(QStringLiteral("b.tif"), QByteArray()); // its content is never read
    addScan(QStringLiteral("c.png"));
    TRegistory& settings = form->Settings();
    settings.TiffType = false;
    settings.BitmapType = false;
    EXPECT_EQ(form->BuildFileFilter(), QStringLiteral("ファイル形式|*.jpg;*.jpeg;*.png;"));
    takeInScannerFolder();
    EXPECT_EQ(namesOf(*form), QStringLiteral("a.jpg,c.png"));

    settings.JpegType = settings.PngType = false;
    takeInScannerFolder();
    EXPECT_EQ(form->StatusText(1), QStringLiteral("ファイル形式が指定されていません。"));
    EXPECT_EQ(namesOf(*form), QStringLiteral("a.jpg,c.png"));
    form->FileOpen->trigger();
    EXPECT_EQ(form->StatusText(1), QStringLiteral("ファイル形式が指定されていません。"));
    EXPECT_EQ(namesOf(*form), QStringLiteral("a.jpg,c.png"));
}

TEST_F(MainFormTest, MissingScannerFolderStopsWithAMessage)
{
    form->Settings().ScannerDir = (scanner.path() + QStringLiteral("/missing")).toStdString();
    takeInScannerFolder();
    EXPECT_EQ(form->StatusText(1), QStringLiteral("指定のフォルダーがありません。"));
}

TEST_F(MainFormTest, PickedFilesFollowTheSequenceAndMustLieInTheScannerFolder)
{
    // The dialog hands the files over in the order they were picked: y, z, x.
    const QStringList picked{addScan(QStringLiteral("y.jpg")), addScan(QStringLiteral("z.jpg")),
                             addScan(QStringLiteral("x.jpg"))};
    prompts.scannerFiles = picked;
    form->Settings().Sequence = 0; // "指定順に従う"
    form->FileOpen->trigger();
    EXPECT_EQ(namesOf(*form), QStringLiteral("y.jpg,z.jpg,x.jpg"));
    form->Settings().Sequence = 1;
    form->FileOpen->trigger();
    EXPECT_EQ(namesOf(*form), QStringLiteral("x.jpg,z.jpg,y.jpg"));

    QTemporaryDir elsewhere;
    prompts.scannerFiles = QStringList{QDir::toNativeSeparators(elsewhere.filePath(QStringLiteral("x.jpg")))};
    form->FolderImage->trigger();
    EXPECT_EQ(form->StatusText(1), QStringLiteral("読み込みフォルダーの指定はキャンセルされました。"));
    EXPECT_EQ(namesOf(*form), QStringLiteral("x.jpg,z.jpg,y.jpg"));

    prompts.scannerFiles = std::nullopt;
    form->FileOpen->trigger();
    EXPECT_EQ(form->StatusText(1), QStringLiteral("読み込みファイルの指定はキャンセルされました。"));
    prompts.scannerFiles = QStringList{};
    form->FileOpen->trigger();
    EXPECT_EQ(form->StatusText(1), QStringLiteral("ファイルの指定がされていません。"));
    EXPECT_EQ(namesOf(*form), QStringLiteral("x.jpg,z.jpg,y.jpg"));
}

TEST_F(MainFormTest, ScansArrivingWhileTheWindowIsOpenHaveTheirThumbnailsMadeAhead)
{
    form->PrepareScannerThumbnails(); // as after the scanner folder changed in the settings
    addScan(QStringLiteral("1.png"));
    addScan(QStringLiteral("2.bmp"));
    const QDeadlineTimer deadline(20000);
    while ((form->PreparingThumbnails() || form->KeptThumbnails().Count() < 2) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(form->KeptThumbnails().Count(), 2);
    takeInScannerFolder();
    ASSERT_EQ(form->PageList.size(), 2);
    EXPECT_GE(form->PageList.at(1).ImageIndex, 0);
}

TEST_F(MainFormTest, UndecodableFileBecomesAPageWithoutPicture)
{
    addScan(QStringLiteral("a.jpg"));
    addFile(QStringLiteral("b.jpg"), "garbage");
    takeInScannerFolder();
    ASSERT_EQ(form->PageList.size(), 2);
    EXPECT_EQ(form->PageList.at(1).ImageIndex, -1);
    form->PageRedispMenu->trigger();
    EXPECT_EQ(form->PageList.at(1).ImageIndex, -1);
    EXPECT_TRUE(prompts.errors.isEmpty());
}

TEST_F(MainFormTest, ImportCopiesFilesIntoTheScannerFolderWithoutAddingPages)
{
    QTemporaryDir source;
    QFile file(source.filePath(QStringLiteral("x.jpg")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("new bytes");
    file.close();
    addScan(QStringLiteral("x.jpg"));
    prompts.importFiles = QStringList{QDir::toNativeSeparators(file.fileName())};
    form->ReadFiles->trigger();
    EXPECT_EQ(form->StatusText(1), QStringLiteral("インポート完了"));
    QFile copied(scanner.filePath(QStringLiteral("x.jpg")));
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), QByteArray("new bytes"));
    EXPECT_TRUE(form->PageList.empty());
    EXPECT_EQ(form->Settings().FileOpenDir, QDir::toNativeSeparators(source.path()).toStdString());

    prompts.importFiles = QStringList{QDir::toNativeSeparators(source.filePath(QStringLiteral("gone.jpg")))};
    form->ReadFiles->trigger();
    EXPECT_EQ(prompts.errors.size(), 1);
}

TEST(ScanSaveName, TakesTheExtensionOfTheChosenFilterEntry)
{
    using quillora::ui::withScanExtension;
    EXPECT_EQ(withScanExtension(QStringLiteral("/scan/page1.jpg"), 2), QStringLiteral("/scan/page1.bmp"));
    EXPECT_EQ(withScanExtension(QStringLiteral("/scan/page1"), 1), QStringLiteral("/scan/page1.jpg"));
    EXPECT_EQ(withScanExtension(QStringLiteral("/scan/a.b.png"), 3), QStringLiteral("/scan/a.b.tif"));
    EXPECT_EQ(withScanExtension(QStringLiteral("/scan/p.tif"), 4), QStringLiteral("/scan/p.png"));
}

} // namespace
} // namespace quillora::test

namespace quillora::test {
namespace {

// While thumbnails are being made the window keeps handling events; commands that change the
// page list, and closing, are held off until the intake is done.
TEST_F(MainFormTest, CommandsThatChangeThePageListWaitForALongIntake)
{
    for (int i = 0; i < 12; ++i)
        addScan(QStringLiteral("p%1.png").arg(i, 2, 10, QChar(u'0')), 1240, 1754);
    bool firedWhileBusy = false;
    bool closed = true;
    QTimer::singleShot(0, form.get(), [&] {
        firedWhileBusy = form->PageListBusy();
        form->CurrentPage = 0;
        form->PageDeleteMenu->trigger();
        form->ScannerImage->trigger();
        form->PageRedispMenu->trigger();
        form->ListView1StartDrag();
        form->ListView1DragOver(true, QPoint(5, 5));
        form->ListView1DragDrop(QPoint(700, 400));
        closed = form->close();
    });
    takeInScannerFolder();
    ASSERT_TRUE(firedWhileBusy) << "the intake finished before the window handled an event";
    EXPECT_FALSE(closed);
    EXPECT_FALSE(form->PageListBusy());
    ASSERT_EQ(form->PageList.size(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(QFileInfo(form->PageList.at(i).FileName).fileName(),
                  QStringLiteral("p%1.png").arg(i, 2, 10, QChar(u'0')));
        EXPECT_EQ(form->PageList.at(i).ImageIndex, i);
    }
    EXPECT_EQ(form->ListView1->count(), 12);
}

// The "指定順に従う" rule relies on the file dialog handing the files over in the order the
// clerk picked them (Ctrl+click p3, p1, p2).
TEST(FileDialog, HandsThePickedFilesOverInThePickingOrder)
{
    QTemporaryDir dir;
    for (const char* name : {"p1.png", "p2.png", "p3.png"}) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setDirectory(dir.path());
    dialog.show();
    auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_NE(list, nullptr);
    auto rowOf = [list](const QString& name) {
        const QModelIndexList found = list->model()->match(list->model()->index(0, 0, list->rootIndex()),
                                                           Qt::DisplayRole, name, 1, Qt::MatchExactly);
        return found.isEmpty() ? QModelIndex() : found.first();
    };
    // The folder is listed in the background.
    for (int wait = 0; wait < 500 && !rowOf(QStringLiteral("p3.png")).isValid(); ++wait)
        QTest::qWait(10);
    ASSERT_TRUE(rowOf(QStringLiteral("p3.png")).isValid());
    for (const char* name : {"p3.png", "p1.png", "p2.png"})
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualRect(rowOf(QString::fromLatin1(name))).center());
    QStringList names;
    for (const QString& file : dialog.selectedFiles())
        names << QFileInfo(file).fileName();
    EXPECT_EQ(names,
              (QStringList{QStringLiteral("p3.png"), QStringLiteral("p1.png"), QStringLiteral("p2.png")}));
}

TEST_F(MainFormTest, PagesLargerThanTheChartPageAreNotedOnceWhenNotStretched)
{
    addScan(QStringLiteral("big.png"), 2000, 400);
    form->Settings().Stretch = true;
    takeInScannerFolder();
    EXPECT_TRUE(form->StatusText(1).isEmpty());
    form->Settings().Stretch = false;
    takeInScannerFolder();
    EXPECT_EQ(form->StatusText(1), QString::fromUtf8(pages::kCroppedNote));
    form->ScannerImage->trigger(); // nothing new taken in: no note
    EXPECT_TRUE(form->StatusText(1).isEmpty());
}

TEST_F(MainFormTest, PatientTabReportsPagesItCannotShow)
{
    addScan(QStringLiteral("a.png"));
    addFile(QStringLiteral("b.png"), "garbage");
    takeInScannerFolder();
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    EXPECT_TRUE(form->StatusText(1).startsWith(QStringLiteral("サポートしていないファイル形式があります。")));
    EXPECT_TRUE(form->StatusText(1).contains(QStringLiteral("b.png")));
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    QFile::remove(scanner.filePath(QStringLiteral("a.png")));
    form->PageControl1->setCurrentWidget(form->TabSheet1);
    EXPECT_TRUE(form->StatusText(1).startsWith(QStringLiteral("ファイルを開くことができません。")));
    EXPECT_TRUE(form->StatusText(1).contains(QStringLiteral("a.png")));
}

} // namespace
} // namespace quillora::test
