// The work in progress survives the window: an arrangement made with the window's controls is
// offered again by the next window, and the journal goes away when the work is saved or dropped.
#include "MainFormFixture.h"

#include "app/journal/JournalFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace quillora::test {
namespace {

class JournalTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        QCoreApplication::processEvents(); // the journal starts once the event loop runs
        for (const char* name : {"1.png", "2.png", "3.png", "4.png"})
            addScan(QString::fromLatin1(name));
        takeInScannerFolder();
        ASSERT_EQ(form->PageList.size(), 4);
    }

    // Page 4 before page 2, a caption on the first page, a stored note on the third and a
    // note still being typed on the first, the two numbers.
    void arrange()
    {
        clickItem(3); // the press selects the page the drag takes
        form->ListView1StartDrag();
        form->ListView1DragOver(true, itemCentre(3));
        form->ListView1DragDrop(itemCentre(1));
        form->ListView1Edited(0, QStringLiteral("表紙"));
        writeNote(2, {QStringLiteral("line1"), QStringLiteral("line2")});
        form->PageControl1->setCurrentWidget(form->TabSheet2);
        writeNote(0, {QStringLiteral("typing")});
        form->IdEdit->setText(QStringLiteral("12345"));
        form->VolNoEdit->setText(QStringLiteral("3"));
    }

    void writeNote(int page, const QStringList& lines)
    {
        clickItem(page);
        form->PageControl1->setCurrentWidget(form->TabSheet4);
        for (qsizetype k = 0; k < lines.size(); ++k) {
            if (k > 0)
                QTest::keyClick(form->NoteMemo, Qt::Key_Return);
            QTest::keyClicks(form->NoteMemo, lines.at(k));
        }
    }

    // Drops the window without saving or closing it and starts the next one.
    void restart(bool answer)
    {
        form.reset();
        prompts.restoreAnswer = answer;
        form = std::make_unique<TMainForm>(&prompts);
        form->show();
        QCoreApplication::processEvents();
        form->Settings().ScannerDir = scanner.path().toStdString(); // the first window never stored it
    }

    QString order() const
    {
        QStringList names;
        for (const APageList& page : form->PageList.pages())
            names << QFileInfo(page.FileName).baseName();
        return names.join(QString());
    }

    static bool journalExists() { return std::filesystem::exists(journal::defaultJournalPath()); }
};

TEST_F(JournalTest, NextWindowRestoresOrderTitlesNotesAndNumbers)
{
    arrange();
    restart(true);

    EXPECT_EQ(prompts.restoreQuestions, 1);
    EXPECT_EQ(order(), QStringLiteral("1423"));
    EXPECT_EQ(titles(), QStringLiteral("表紙"));
    EXPECT_EQ(captions(), QStringLiteral("表紙"));
    EXPECT_EQ(form->PageList.at(0).Note, QStringList{QStringLiteral("typing")});
    EXPECT_EQ(form->PageList.at(2).Note, (QStringList{QStringLiteral("line1"), QStringLiteral("line2")}));
    EXPECT_FALSE(form->PageList.at(1).Note.has_value());
    EXPECT_EQ(form->IdEdit->text(), QStringLiteral("12345"));
    EXPECT_EQ(form->VolNoEdit->text(), QStringLiteral("3"));
    EXPECT_EQ(form->StatusText(0), QStringLiteral("4"));
    EXPECT_EQ(form->StatusText(1), QStringLiteral("前回の作業内容を復元しました。"));
}

TEST_F(JournalTest, PagesWhoseFilesWentAwayAreLeftOutAndNamedInTheStatusBar)
{
    arrange();
    form.reset();
    ASSERT_TRUE(QFile::remove(QDir(scanner.path()).filePath(QStringLiteral("4.png"))));
    restart(true);

    EXPECT_EQ(order(), QStringLiteral("123"));
    EXPECT_EQ(titles(), QStringLiteral("表紙"));
    EXPECT_EQ(form->PageList.at(1).Note, (QStringList{QStringLiteral("line1"), QStringLiteral("line2")}));
    EXPECT_EQ(form->StatusText(1), QStringLiteral("前回の作業内容を復元しました。見つからないページ: 4.png"));
}

TEST_F(JournalTest, AnsweringNoOrLosingEveryFileDiscardsTheJournal)
{
    arrange();
    restart(false);
    EXPECT_EQ(prompts.restoreQuestions, 1);
    EXPECT_TRUE(form->PageList.empty());
    EXPECT_FALSE(journalExists());

    takeInScannerFolder();
    form.reset();
    ASSERT_TRUE(journalExists());
    for (const QString& name : QDir(scanner.path()).entryList(QDir::Files))
        QFile::remove(QDir(scanner.path()).filePath(name));
    restart(true);
    EXPECT_EQ(prompts.restoreQuestions, 1); // nothing left to offer
    EXPECT_FALSE(journalExists());
}

TEST_F(JournalTest, ASaveThatEmptiesTheListRemovesTheJournal)
{
    arrange();
    form->Settings().FolderClear = true;
    QTest::mouseClick(form->SaveButton, Qt::LeftButton);
    ASSERT_TRUE(form->PageList.empty()) << form->StatusText(1).toStdString();
    form.reset();
    EXPECT_FALSE(journalExists());
}

TEST_F(JournalTest, UnreadableJournalIsReportedAndTheWindowStarts)
{
    form.reset();
    QFile file(QString::fromStdString(journal::defaultJournalPath().string()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"format\": \"quillora-work-jou");
    file.close();
    restart(true);

    EXPECT_EQ(prompts.restoreQuestions, 0);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->StatusText(1).startsWith(QStringLiteral("前回の作業内容を読めません")))
        << form->StatusText(1).toStdString();
    EXPECT_TRUE(form->StatusText(1).contains(QStringLiteral("work.unreadable-")));
    EXPECT_FALSE(journalExists());
}

} // namespace
} // namespace quillora::test
