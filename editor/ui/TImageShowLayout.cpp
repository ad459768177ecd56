// Controls, toolbars and menus of the editor window.
#include "editor/ui/TImageShow.h"

#include "editor/ui/EditorIcons.h"
#include "editor/ui/ImageView.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace quillora::editor {

void TImageShow::BuildWindow()
{
    setWindowTitle(QStringLiteral("イメージ編集"));
    QFont windowFont(QStringLiteral("ＭＳ Ｐゴシック"));
    windowFont.setPixelSize(12);
    setFont(windowFont);
    resize(870, 640);

    // A main window inside the dialog gives the menu bar, movable toolbars and the status bar.
    frame_ = new QMainWindow(nullptr, Qt::Widget);
    frame_->setContextMenuPolicy(Qt::PreventContextMenu);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame_);

    ScrollBox1 = new QScrollArea;
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    Image1 = new ImageView(state_);
    Image1->setObjectName(QStringLiteral("Image1"));
    ScrollBox1->setWidget(Image1);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    frame_->setCentralWidget(ScrollBox1);

    for (int panel = 0; panel < 2; ++panel) {
        statusPanels_[panel] = new QLabel;
        statusPanels_[panel]->setObjectName(QStringLiteral("StatusPanel%1").arg(panel));
        statusPanels_[panel]->setMinimumWidth(50);
        frame_->statusBar()->addWidget(statusPanels_[panel], panel);
    }
    frame_->statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    frame_->statusBar()->setSizeGripEnabled(false);

    BuildToolBars();
    BuildMenus();
}

QToolBar* TImageShow::AddToolBar(const QString& name)
{
    auto* bar = frame_->addToolBar(name);
    bar->setObjectName(name);
    bar->setIconSize(QSize(20, 20));
    return bar;
}

QAction* TImageShow::AddButton(QToolBar* bar, const QString& name, const QString& glyph, const QString& hint)
{
    QAction* action = bar->addAction(glyphIcon(glyph), hint);
    action->setObjectName(name);
    action->setToolTip(hint);
    bar->widgetForAction(action)->setObjectName(name);
    return action;
}

void TImageShow::BuildToolBars()
{
    ToolBar1 = AddToolBar(QStringLiteral("ToolBar1"));
    ZoomInBtn =
        AddButton(ToolBar1, QStringLiteral("ZoomInBtn"), QStringLiteral("＋"), QStringLiteral("拡大"));
    ZoomOutBtn =
        AddButton(ToolBar1, QStringLiteral("ZoomOutBtn"), QStringLiteral("－"), QStringLiteral("縮小"));

    ToolBar2 = AddToolBar(QStringLiteral("ToolBar2"));
    PenBtn = AddButton(ToolBar2, QStringLiteral("PenBtn"), QStringLiteral("✎"), QStringLiteral("ペン"));
    EraseBtn =
        AddButton(ToolBar2, QStringLiteral("EraseBtn"), QStringLiteral("▭"), QStringLiteral("消しゴム"));
    LineBtn = AddButton(ToolBar2, QStringLiteral("LineBtn"), QStringLiteral("╲"), QStringLiteral("直線"));
    CurcleBtn = AddButton(ToolBar2, QStringLiteral("CurcleBtn"), QStringLiteral("○"), QStringLiteral("円"));
    SquareBtn = AddButton(ToolBar2, QStringLiteral("SquareBtn"), QStringLiteral("□"), QStringLiteral("四角"));
    ToolBar2->addSeparator();
    DispToolBtn =
        AddButton(ToolBar2, QStringLiteral("DispToolBtn"), QStringLiteral("✎"), QStringLiteral("現在の道具"));
    ToolBar2->addSeparator();
    UndoBtn = AddButton(ToolBar2, QStringLiteral("UndoBtn"), QStringLiteral("↶"), QStringLiteral("戻す"));

    ToolBar3 = AddToolBar(QStringLiteral("ToolBar3"));
    DotSizeBox = new QComboBox;
    DotSizeBox->setObjectName(QStringLiteral("DotSizeBox"));
    DotSizeBox->setToolTip(QStringLiteral("線幅"));
    DotSizeBox->addItems({QStringLiteral("極細"), QStringLiteral("細線"), QStringLiteral("標準"),
                          QStringLiteral("太線"), QStringLiteral("極太")});
    editingActions_ << ToolBar3->addWidget(DotSizeBox);

    ToolBar4 = AddToolBar(QStringLiteral("ToolBar4"));
    ColorBtn = AddButton(ToolBar4, QStringLiteral("ColorBtn"), QStringLiteral("■"), QStringLiteral("線色"));
    SpoitBtn =
        AddButton(ToolBar4, QStringLiteral("SpoitBtn"), QStringLiteral("◎"), QStringLiteral("スポイト"));
    ToolBar4->addSeparator();
    ColorPanel = new QLabel;
    ColorPanel->setObjectName(QStringLiteral("ColorPanel"));
    ColorPanel->setToolTip(QStringLiteral("現在の色"));
    ColorPanel->setFixedSize(22, 22);
    ToolBar4->addWidget(ColorPanel);

    frame_->addToolBarBreak(); // the text box needs room: the last two bars start a second row
    ToolBar5 = AddToolBar(QStringLiteral("ToolBar5"));
    StrSetBtn = AddButton(ToolBar5, QStringLiteral("StrSetBtn"), QStringLiteral("A"), QStringLiteral("文字"));
    StrPropertyBtn = AddButton(ToolBar5, QStringLiteral("StrPropertyBtn"), QStringLiteral("Aa"),
                               QStringLiteral("文字のプロパティ"));
    ToolBar5->addSeparator();
    StrBox = new QComboBox;
    StrBox->setObjectName(QStringLiteral("StrBox"));
    StrBox->setEditable(true);
    StrBox->setInsertPolicy(QComboBox::NoInsert);
    StrBox->setFixedWidth(275);
    ToolBar5->addWidget(StrBox);

    ToolBar6 = AddToolBar(QStringLiteral("ToolBar6"));
    RotLeftBtn = AddButton(ToolBar6, QStringLiteral("RotLeftBtn"), QStringLiteral("⟲"),
                           QStringLiteral("左へ９０°回転"));
    RotRieghtBtn = AddButton(ToolBar6, QStringLiteral("RotRieghtBtn"), QStringLiteral("⟳"),
                             QStringLiteral("右へ９０°回転"));
    UpDownBtn = AddButton(ToolBar6, QStringLiteral("UpDownBtn"), QStringLiteral("180"),
                          QStringLiteral("１８０°回転"));

    editingActions_ << PenBtn << EraseBtn << LineBtn << CurcleBtn << SquareBtn << ColorBtn << SpoitBtn
                    << StrSetBtn << RotLeftBtn << RotRieghtBtn << UpDownBtn;
}

void TImageShow::BuildMenus()
{
    QMenuBar* bar = frame_->menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("ファイル"));
    N2 = file->addAction(QStringLiteral("保存"));
    file->addSeparator();
    N4 = file->addAction(QStringLiteral("閉じる"));

    QMenu* view = bar->addMenu(QStringLiteral("表示"));
    const std::pair<QAction**, std::pair<const char*, QToolBar*>> toggles[] = {
        {&N6, {"ズーム表示", ToolBar1}}, {&N8, {"道具", ToolBar2}},  {&N7, {"線", ToolBar3}},
        {&N9, {"色", ToolBar4}},         {&N13, {"文字", ToolBar5}}, {&N17, {"回転", ToolBar6}},
    };
    for (const auto& [item, caption] : toggles) {
        QAction* action = view->addAction(QString::fromUtf8(caption.first));
        action->setCheckable(true);
        action->setChecked(true);
        QToolBar* toolBar = caption.second;
        connect(action, &QAction::triggered, toolBar, [action, toolBar] {
            toolBar->setVisible(toolBar->isHidden());
            action->setChecked(!toolBar->isHidden());
        });
        *item = action;
    }

    QMenu* text = bar->addMenu(QStringLiteral("文字"));
    StrClearItem = text->addAction(QStringLiteral("クリア"));
    StrAddItem = text->addAction(QStringLiteral("登録"));
    text->addSeparator();
    CommentLoadItem = text->addAction(QStringLiteral("コメントロード"));
    CommentSaveItem = text->addAction(QStringLiteral("コメントセーブ"));

    N2->setObjectName(QStringLiteral("N2"));
    N4->setObjectName(QStringLiteral("N4"));
    editingActions_ << N2;
}

} // namespace quillora::editor
