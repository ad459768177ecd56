#pragma once
// Small helpers that give the settings dialogs their common shape: a fixed client size, a
// title bar with only the close box, a body above a one-panel status bar.
#include <QHBoxLayout>
#include <QString>
#include <QWidget>
#include <initializer_list>

class QDialog;
class QPushButton;
class QSize;
class QStatusBar;
class QVBoxLayout;

namespace quillora::settings_ui {

// A child widget named like its control, so that code and tests can find it by name.
template <typename Widget>
Widget* NamedChild(QWidget* parent, const char* objectName, const QString& text = QString())
{
    Widget* widget = nullptr;
    if constexpr (requires { Widget(text, parent); }) {
        widget = text.isEmpty() ? new Widget(parent) : new Widget(text, parent);
    } else {
        widget = new Widget(parent);
    }
    widget->setObjectName(objectName);
    return widget;
}

QStatusBar* MakeSimpleStatusBar(QWidget* parent);

// Buttons aligned to the right in one row.
QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons);

class FolderTree;

// The shape both settings dialogs share: a folder tree filling the height on the left,
// `rightPanel` beside it, `statusBar` below both. Returns the tree, named "ShellTreeView1".
FolderTree* ShapeFolderTreeDialog(QDialog& dialog, const QSize& clientSize, QWidget* rightPanel,
                                  QStatusBar* statusBar);

// Gives `panel` its fixed width and a column layout to fill.
QVBoxLayout* PanelColumn(QWidget* panel, int width);

} // namespace quillora::settings_ui
