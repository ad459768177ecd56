#include "inquiry/TView.h"

#include "inquiry/FileListModel.h"
#include "inquiry/FileProperties.h"
#include "inquiry/ViewStyleIcons.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

using quillora::inquiry::ShellListView;
using quillora::inquiry::ViewStyle;

TView::TView(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("カルテリスト");
    setSizeGripEnabled(true);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setIconSize(QSize(21, 21));
    ToolBar1->setMovable(false);
    ToolBar1->addSeparator();
    ShellListView1 = new ShellListView(this);
    ShellListView1->setObjectName("ShellListView1");
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");

    ToolButton1 = AddStyleButton("ToolButton1", "大きいアイコン", ViewStyle::LargeIcons);
    ToolButton2 = AddStyleButton("ToolButton2", "一覧", ViewStyle::List);
    ToolButton3 = AddStyleButton("ToolButton3", "小さいアイコン", ViewStyle::SmallIcons);
    ToolButton4 = AddStyleButton("ToolButton4", "詳細", ViewStyle::Details);
    ToolButton4->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar1);
    layout->addWidget(ShellListView1, 1);
    layout->addWidget(StatusBar1);
    resize(621, 328);

    connect(ShellListView1, &ShellListView::FolderChanged, StatusBar1,
            [this](const QString& folder) { StatusBar1->showMessage(folder); });
    connect(ShellListView1, &ShellListView::Message, StatusBar1,
            [this](const QString& text) { StatusBar1->showMessage(text); });
    connect(ShellListView1, &ShellListView::PropertiesRequested, this, &TView::ShowProperties);
    connect(ShellListView1, &ShellListView::ContextMenuRequested, this, &TView::ShowContextMenu);
}

QToolButton* TView::AddStyleButton(const char* name, const QString& tip, ViewStyle style)
{
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(name);
    button->setIcon(quillora::inquiry::ViewStyleIcon(style));
    button->setToolTip(tip);
    button->setCheckable(true);
    button->setAutoExclusive(true);
    button->setAutoRaise(true);
    button->setFixedSize(31, 31);
    ToolBar1->addWidget(button);
    connect(button, &QToolButton::clicked, ShellListView1,
            [this, style] { ShellListView1->SetViewStyle(style); });
    return button;
}

void TView::SetFolder(const QString& folder) { ShellListView1->SetFolder(folder); }

void TView::SetOpener(quillora::inquiry::DocumentOpener opener)
{
    ShellListView1->SetOpener(std::move(opener));
}

void TView::ShowChartList(const QString& folder)
{
    SetFolder(folder);
    exec();
}

QMenu* TView::BuildContextMenu(const QModelIndex& index)
{
    auto* menu = new QMenu(this);
    if (!index.isValid()) {
        menu->addAction("最新の情報に更新", ShellListView1, &ShellListView::Reload);
        return menu;
    }
    const QPersistentModelIndex item(index);
    menu->addAction("開く", this, [this, item] { ShellListView1->OpenItem(item); });
    menu->addAction("名前の変更", this, [this, item] { ShellListView1->StartRename(item); });
    menu->addSeparator();
    menu->addAction("プロパティ", this, [this, item] { ShowProperties(item); });
    return menu;
}

void TView::ShowContextMenu(const QModelIndex& index, const QPoint& globalPos)
{
    std::unique_ptr<QMenu> menu(BuildContextMenu(index));
    menu->exec(globalPos);
}

void TView::ShowProperties(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const QFileInfo info(ShellListView1->FilePath(index));
    QMessageBox box(QMessageBox::Information, "プロパティ", quillora::inquiry::PropertiesText(info),
                    QMessageBox::Ok, this);
    box.exec();
}
