#include "settings/ui/WindowShape.h"

#include "settings/ui/FolderTree.h"

#include <QDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace quillora::settings_ui {
namespace {

// Puts `body` above `statusBar`, fixes the client size and leaves only the close box.
void ShapeFixedDialog(QDialog& dialog, const QSize& clientSize, QLayout* body, QStatusBar* statusBar)
{
    auto* outer = new QVBoxLayout(&dialog);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    body->setContentsMargins(6, 6, 6, 6);
    outer->addLayout(body, 1);
    outer->addWidget(statusBar);
    dialog.setFixedSize(clientSize);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

} // namespace

QStatusBar* MakeSimpleStatusBar(QWidget* parent)
{
    auto* bar = new QStatusBar(parent);
    bar->setObjectName("StatusBar1");
    bar->setSizeGripEnabled(false);
    return bar;
}

QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* button : buttons) {
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    return row;
}

FolderTree* ShapeFolderTreeDialog(QDialog& dialog, const QSize& clientSize, QWidget* rightPanel,
                                  QStatusBar* statusBar)
{
    auto* tree = new FolderTree(&dialog);
    tree->setObjectName("ShellTreeView1");
    auto* body = new QHBoxLayout;
    body->addWidget(tree, 1);
    body->addWidget(rightPanel);
    ShapeFixedDialog(dialog, clientSize, body, statusBar);
    return tree;
}

QVBoxLayout* PanelColumn(QWidget* panel, int width)
{
    panel->setFixedWidth(width);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(4, 0, 0, 0);
    return column;
}

} // namespace quillora::settings_ui
