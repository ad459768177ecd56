#pragma once
// The modal window "イメージ編集": edits the image file of one page. One instance serves the
// whole run; zoom, toolbar visibility, the comment list and the font dialog's last choice carry
// over from page to page, everything else is reset when a page is shown.
#include "editor/ImageEditState.h"
#include "editor/PageImageFile.h"
#include "editor/ui/EditorPrompts.h"

#include <QDialog>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QLabel;
class QMainWindow;
class QScrollArea;
class QToolBar;

namespace quillora::editor {

class ImageView;

class TImageShow : public QDialog {
    Q_OBJECT
public:
    explicit TImageShow(std::unique_ptr<EditorPrompts> prompts = {}, QWidget* parent = nullptr);
    ~TImageShow() override;

    QString ImageFileName;
    void SetZoomIndex(int index);
    int ZoomIndex() const { return state_.ZoomIndex(); }
    // Run after every save that wrote the file (the page list redraws its thumbnails).
    void SetSavedHandler(std::function<void()> saved) { saved_ = std::move(saved); }

    // Loads ImageFileName, centres the window on `owner` and shows it modally.
    void ShowModal(QWidget* owner);
    // The showing steps: read the page and reset the per-page state.
    void FormShow();

    const ImageEditState& State() const { return state_; }
    QString StatusText(int panel) const;

    // Controls, named as in the window.
    QToolBar *ToolBar1, *ToolBar2, *ToolBar3, *ToolBar4, *ToolBar5, *ToolBar6;
    QAction *ZoomInBtn, *ZoomOutBtn;
    QAction *PenBtn, *EraseBtn, *LineBtn, *CurcleBtn, *SquareBtn, *DispToolBtn, *UndoBtn;
    QComboBox* DotSizeBox;
    QAction *ColorBtn, *SpoitBtn;
    QLabel* ColorPanel;
    QAction *StrSetBtn, *StrPropertyBtn;
    QComboBox* StrBox;
    QAction *RotLeftBtn, *RotRieghtBtn, *UpDownBtn;
    QAction *N2, *N4;                       // ファイル: 保存, 閉じる
    QAction *N6, *N8, *N7, *N9, *N13, *N17; // 表示: one per toolbar
    QAction *StrClearItem, *StrAddItem, *CommentLoadItem, *CommentSaveItem;
    QScrollArea* ScrollBox1;
    ImageView* Image1;

private:
    void BuildWindow();
    void BuildToolBars();
    void BuildMenus();
    QAction* AddButton(QToolBar* bar, const QString& name, const QString& glyph, const QString& hint);
    QToolBar* AddToolBar(const QString& name);

    void ZoomInBtnClick();
    void ZoomOutBtnClick();
    void ToolBtnClick(Tool tool, QAction* button);
    void UndoBtnClick();
    void DotSizeBoxChange(int index);
    void ColorBtnClick();
    void StrPropertyBtnClick();
    void RotateClick(Rotation rotation);
    void SaveClick();
    void StrClearClick();
    void StrAddClick();
    void CommentLoadClick();
    void CommentSaveClick();

    void RefreshView();
    void ShowZoom();
    void ShowColor();
    void UpdateUndo();
    void EnableEditing(bool enabled);
    void SetStatusText(int panel, const QString& text);

    std::unique_ptr<EditorPrompts> prompts_;
    std::function<void()> saved_;
    ImageEditState state_;
    PageImage page_;
    QFont fontDialogFont_;
    QMainWindow* frame_ = nullptr;
    QLabel* statusPanels_[2] = {nullptr, nullptr};
    QList<QAction*> editingActions_;
};

} // namespace quillora::editor
