// Construction of the main window's controls: toolbar, input strip, tabs, status bar, menus.
#include "app/ui/PageListView.h"
#include "app/ui/TMainForm.h"
#include "app/ui/ToolbarIcons.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QAction* namedAction(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QMenu* namedMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    return menu;
}

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

void TMainForm::BuildMenus()
{
    QMenuBar* bar = menuBar();
    FileNemu = namedMenu(bar, "FileNemu", QStringLiteral("ファイル"));
    ScannerImage =
        namedAction(FileNemu, "ScannerImage", QStringLiteral("スキャナフォルダーからの追加画像取込み"));
    FolderImage = namedAction(FileNemu, "FolderImage", QStringLiteral("フォルダーからの画像追加取込み"));
    FileNemu->addSeparator();
    TwainSourceMenu = namedAction(FileNemu, "TwainSourceMenu", QStringLiteral("Ｔｗａｉｎ装置選択"));
    TwainReadMenu = namedAction(FileNemu, "TwainReadMenu", QStringLiteral("Ｔｗａｉｎ読み取り"));
    FileNemu->addSeparator();
    ReadFiles = namedAction(FileNemu, "ReadFiles", QStringLiteral("ファイル　インポート"));
    FileNemu->addSeparator();
    CloseNemu = namedAction(FileNemu, "CloseNemu", QStringLiteral("プログラム終了"));

    EditMenu = namedMenu(bar, "EditMenu", QStringLiteral("編集"));
    ScanFoldClearMenu =
        namedAction(EditMenu, "ScanFoldClearMenu", QStringLiteral("スキャナーフォルダーのクリア"));
    N12 = namedAction(EditMenu, "N12", QStringLiteral("ログのクリア"));
    ErrorLogMemu = namedAction(EditMenu, "ErrorLogMemu", QStringLiteral("エラーログのクリア"));
    EditMenu->addSeparator();
    PageDeleteMenu = namedAction(EditMenu, "PageDeleteMenu", QStringLiteral("ページの削除"));
    PageDeleteMenu->setShortcut(QKeySequence::Delete);
    PageDeleteMenu->setShortcutContext(Qt::WidgetShortcut); // shown in the menu; the list handles the key
    UndoMenu = namedAction(EditMenu, "UndoMenu", QStringLiteral("元に戻す"));
    UndoMenu->setShortcut(QKeySequence::Undo);
    UndoMenu->setEnabled(false);

    displayMenu = namedMenu(bar, "displayMenu", QStringLiteral("表示"));
    PageRedispMenu = namedAction(displayMenu, "PageRedispMenu", QStringLiteral("ページ確認の再描画"));
    displayMenu->addSeparator();
    N17 = namedAction(displayMenu, "N17", QStringLiteral("エラーログの表示"));

    SetMenu = namedMenu(bar, "SetMenu", QStringLiteral("設定"));
    ReadImage = namedAction(SetMenu, "ReadImage", QStringLiteral("読込設定"));
    N4 = namedAction(SetMenu, "N4", QStringLiteral("保存設定"));

    // "照会" has no items: the menu-bar entry itself is the command.
    UtilMenu = bar->addAction(QStringLiteral("照会"));
    UtilMenu->setObjectName(QStringLiteral("UtilMenu"));

    N9 = namedMenu(bar, "N9", QStringLiteral("ヘルプ"));
    N13 = namedAction(N9, "N13", QStringLiteral("クイロラヘルプ"));
    N9->addSeparator();
    N11 = namedAction(N9, "N11", QStringLiteral("製品情報"));
}

void TMainForm::BuildToolBar()
{
    ToolBar1 = named(addToolBar(QStringLiteral("ToolBar1")), "ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setIconSize(QSize(32, 32));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    auto add = [this](const char* name, const QIcon& icon, const QString& hint) {
        QAction* action = ToolBar1->addAction(icon, hint);
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(hint);
        return action;
    };
    using namespace quillora::ui;
    ScannerOpen = add("ScannerOpen", scannerIcon(), QStringLiteral("スキャナ画像読取"));
    ToolBar1->addSeparator();
    FileOpen = add("FileOpen", folderIcon(), QStringLiteral("フォルダー画像取込"));
    ToolBar1->addSeparator();
    LogBtn = add("LogBtn", logIcon(), QStringLiteral("保存ログ"));
    for (QAction* action : {ScannerOpen, FileOpen, LogBtn}) {
        if (QWidget* button = ToolBar1->widgetForAction(action))
            button->setFixedSize(39, 41);
    }
}

QWidget* TMainForm::BuildInputStrip()
{
    auto* strip = new QWidget;
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(8, 4, 8, 4);
    row->addWidget(new QLabel(QStringLiteral("患者番号")));
    IdEdit = named(new QLineEdit, "IdEdit");
    IdEdit->setFixedWidth(121);
    row->addWidget(IdEdit);
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("連番")));
    VolNoEdit = named(new QLineEdit(QStringLiteral("0")), "VolNoEdit");
    VolNoEdit->setFixedWidth(49);
    row->addWidget(VolNoEdit);
    row->addSpacing(16);
    SaveButton = named(new QPushButton(QStringLiteral("保存")), "SaveButton");
    row->addWidget(SaveButton);
    row->addStretch();
    return strip;
}

QWidget* TMainForm::BuildPageTab()
{
    TabSheet2 = named(new QWidget, "TabSheet2");
    auto* layout = new QVBoxLayout(TabSheet2);
    layout->setContentsMargins(0, 0, 0, 0);
    ListView1 = named(new quillora::ui::PageListView(*this), "ListView1");
    layout->addWidget(ListView1);
    FilterBox = named(new QComboBox, "FilterBox");
    FilterBox->setVisible(false);
    layout->addWidget(FilterBox);
    return TabSheet2;
}

QWidget* TMainForm::BuildPatientTab()
{
    TabSheet1 = named(new QWidget, "TabSheet1");
    for (QLabel** image : {&Image1, &Image2}) {
        *image = new QLabel(TabSheet1);
        (*image)->setScaledContents(true); // stretched over the whole box, aspect not kept
        (*image)->setFrameShape(QFrame::NoFrame);
    }
    Image1->setObjectName(QStringLiteral("Image1"));
    Image2->setObjectName(QStringLiteral("Image2"));
    TabSheet1->installEventFilter(this);
    return TabSheet1;
}

QWidget* TMainForm::BuildNoteTab()
{
    TabSheet4 = named(new QWidget, "TabSheet4");
    auto* layout = new QVBoxLayout(TabSheet4);
    auto* strip = new QHBoxLayout;
    strip->addWidget(new QLabel(QStringLiteral("注釈ページ")));
    NotePageNoLabel = named(new QLabel(QStringLiteral("0")), "NotePageNoLabel");
    NotePageNoLabel->setMinimumWidth(30);
    strip->addWidget(NotePageNoLabel);
    Button1 = named(new QPushButton(QStringLiteral("クリア")), "Button1");
    Button2 = named(new QPushButton(QStringLiteral("コピー")), "Button2");
    Button3 = named(new QPushButton(QStringLiteral("切取り")), "Button3");
    Button4 = named(new QPushButton(QStringLiteral("貼付け")), "Button4");
    for (QPushButton* button : {Button1, Button2, Button3, Button4})
        strip->addWidget(button);
    strip->addStretch();
    layout->addLayout(strip);
    NoteMemo = named(new QPlainTextEdit, "NoteMemo");
    NoteMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    connect(NoteMemo, &QPlainTextEdit::textChanged, this,
            [this] { WarnOfLossyText(NoteMemo->toPlainText()); });
    NoteMemo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    NoteMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(NoteMemo);
    return TabSheet4;
}

void TMainForm::BuildTabs()
{
    PageControl1 = named(new QTabWidget, "PageControl1");
    PageControl1->addTab(BuildPageTab(), QStringLiteral("ページ確認"));
    PageControl1->addTab(BuildPatientTab(), QStringLiteral("患者確認"));
    PageControl1->addTab(BuildNoteTab(), QStringLiteral("注釈"));
}

void TMainForm::BuildStatusBar()
{
    StatusBar1 = named(new QStatusBar, "StatusBar1");
    setStatusBar(StatusBar1);
    statusPanel0_ = named(new QLabel, "StatusPanel0");
    statusPanel0_->setFixedWidth(50);
    statusPanel0_->setFrameShape(QFrame::Panel);
    statusPanel0_->setFrameShadow(QFrame::Sunken);
    statusPanel1_ = named(new QLabel, "StatusPanel1");
    statusPanel1_->setMinimumWidth(50);
    StatusBar1->addWidget(statusPanel0_);
    StatusBar1->addWidget(statusPanel1_);
    savedChartLabel_ = named(new QLabel, "SavedChartLabel");
    savedChartLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    StatusBar1->addWidget(savedChartLabel_, 1);
    SaveProgress = named(new QProgressBar, "SaveProgress");
    SaveProgress->setFixedWidth(160);
    SaveProgress->setVisible(false);
    StatusBar1->addPermanentWidget(SaveProgress);
}

void TMainForm::FormCreate()
{
    setWindowTitle(QStringLiteral("Travex Quillora"));
    resize(797, 637);
    BuildMenus();
    BuildToolBar();
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(BuildInputStrip());
    BuildTabs();
    column->addWidget(PageControl1, 1);
    setCentralWidget(central);
    BuildStatusBar();
    ResetThumbnails();
    DragArmed = false;
    CurrentPage = -1;
    SetNoteTabVisible(false);
}
