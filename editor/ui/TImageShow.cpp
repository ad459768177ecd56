#include "editor/ui/TImageShow.h"

#include "editor/CommentFile.h"
#include "editor/ZoomSteps.h"
#include "editor/ui/ImageView.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolBar>
#include <cmath>

namespace quillora::editor {
namespace {

const QString kWriteProtected = QStringLiteral("書き込み禁止です。");
const QString kUnreadable = QStringLiteral("イメージを読み込めません。");
const QString kSaveFailed = QStringLiteral("保存できませんでした。");

} // namespace

TImageShow::TImageShow(std::unique_ptr<EditorPrompts> prompts, QWidget* parent)
    : QDialog(parent), prompts_(prompts ? std::move(prompts) : std::make_unique<DialogEditorPrompts>())
{
    BuildWindow();
    fontDialogFont_ = font();
    state_.SetZoomIndex(kStartZoomIndex);

    connect(ZoomInBtn, &QAction::triggered, this, &TImageShow::ZoomInBtnClick);
    connect(ZoomOutBtn, &QAction::triggered, this, &TImageShow::ZoomOutBtnClick);
    const std::pair<QAction*, Tool> tools[] = {{PenBtn, Tool::Pen},       {EraseBtn, Tool::Eraser},
                                               {LineBtn, Tool::Line},     {CurcleBtn, Tool::Circle},
                                               {SquareBtn, Tool::Square}, {SpoitBtn, Tool::Dropper},
                                               {StrSetBtn, Tool::Text}};
    for (const auto& [button, tool] : tools)
        connect(button, &QAction::triggered, this, [this, button, tool] { ToolBtnClick(tool, button); });
    connect(UndoBtn, &QAction::triggered, this, &TImageShow::UndoBtnClick);
    connect(DotSizeBox, &QComboBox::activated, this, &TImageShow::DotSizeBoxChange);
    connect(ColorBtn, &QAction::triggered, this, &TImageShow::ColorBtnClick);
    connect(StrPropertyBtn, &QAction::triggered, this, &TImageShow::StrPropertyBtnClick);
    connect(RotLeftBtn, &QAction::triggered, this, [this] { RotateClick(Rotation::Left); });
    connect(RotRieghtBtn, &QAction::triggered, this, [this] { RotateClick(Rotation::Right); });
    connect(UpDownBtn, &QAction::triggered, this, [this] { RotateClick(Rotation::Half); });
    connect(N2, &QAction::triggered, this, &TImageShow::SaveClick);
    connect(N4, &QAction::triggered, this, &QDialog::reject);
    connect(StrClearItem, &QAction::triggered, this, &TImageShow::StrClearClick);
    connect(StrAddItem, &QAction::triggered, this, &TImageShow::StrAddClick);
    connect(CommentLoadItem, &QAction::triggered, this, &TImageShow::CommentLoadClick);
    connect(CommentSaveItem, &QAction::triggered, this, &TImageShow::CommentSaveClick);

    Image1->SetStampText([this] { return StrBox->currentText(); });
    Image1->SetPressed([this] { UpdateUndo(); });
    Image1->SetReleased([this] { ShowColor(); });
}

TImageShow::~TImageShow() = default;

void TImageShow::SetZoomIndex(int index) { state_.SetZoomIndex(index); }

QString TImageShow::StatusText(int panel) const { return statusPanels_[panel]->text(); }

void TImageShow::SetStatusText(int panel, const QString& text) { statusPanels_[panel]->setText(text); }

void TImageShow::ShowModal(QWidget* owner)
{
    FormShow();
    if (owner)
        move(owner->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    exec();
    // Unsaved edits are dropped on closing; the next showing reads the file again.
    state_.ClosePage();
}

void TImageShow::FormShow()
{
    SetStatusText(1, {});
    state_.ClosePage(); // the previous page's pixels go before the next page is decoded
    page_ = readPageImage(ImageFileName);
    state_.StartPage(page_.work, StampFont{StrBox->font(), palette().color(QPalette::WindowText)});
    page_.work = QImage(); // the state holds the working copy; keep only the file's format
    EnableEditing(state_.HasImage());
    RefreshView();
    DotSizeBox->setCurrentIndex(state_.PenWidth() - 1);
    DispToolBtn->setIcon(PenBtn->icon());
    ShowColor();
    UpdateUndo();
    ShowZoom();
    statusPanels_[1]->setToolTip({});
    if (!state_.HasImage()) {
        SetStatusText(1, kUnreadable);
        statusPanels_[1]->setToolTip(page_.error);
    }
}

void TImageShow::EnableEditing(bool enabled)
{
    for (QAction* action : std::as_const(editingActions_))
        action->setEnabled(enabled);
    Image1->setEnabled(enabled);
}

void TImageShow::RefreshView() { Image1->RefreshView(); }

void TImageShow::ShowZoom() { SetStatusText(0, zoomText(state_.ZoomIndex())); }

void TImageShow::ShowColor()
{
    ColorPanel->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                                  .arg(QColor::fromRgb(state_.PenColor()).name()));
}

void TImageShow::UpdateUndo() { UndoBtn->setEnabled(state_.CanUndo()); }

void TImageShow::ZoomInBtnClick()
{
    state_.SetZoomIndex(state_.ZoomIndex() + 1);
    RefreshView();
    ShowZoom();
}

void TImageShow::ZoomOutBtnClick()
{
    state_.SetZoomIndex(state_.ZoomIndex() - 1);
    RefreshView();
    ShowZoom();
}

void TImageShow::ToolBtnClick(Tool tool, QAction* button)
{
    state_.SetTool(tool);
    DispToolBtn->setIcon(button->icon());
}

void TImageShow::UndoBtnClick()
{
    state_.Undo();
    RefreshView();
    UpdateUndo();
}

void TImageShow::DotSizeBoxChange(int index) { state_.SetPenWidth(index + 1); }

void TImageShow::ColorBtnClick()
{
    if (const auto colour = prompts_->ChooseColor(this, QColor::fromRgb(state_.PenColor()))) {
        state_.SetPenColor(colour->rgb());
        ShowColor();
    }
}

void TImageShow::StrPropertyBtnClick()
{
    const auto chosen = prompts_->ChooseFont(this, fontDialogFont_);
    if (!chosen)
        return;
    fontDialogFont_ = *chosen;
    QFont stampFont = *chosen;
    // Stamps are measured in image pixels: a size in points counts at the screen's resolution.
    if (stampFont.pixelSize() <= 0)
        stampFont.setPixelSize(static_cast<int>(std::lround(stampFont.pointSizeF() * logicalDpiY() / 72.0)));
    state_.SetTextFont(StampFont{stampFont, state_.TextFont().color});
}

void TImageShow::RotateClick(Rotation rotation)
{
    state_.Rotate(rotation);
    RefreshView();
    UpdateUndo();
}

void TImageShow::SaveClick()
{
    SetStatusText(1, {});
    if (!state_.HasImage())
        return;
    const SaveResult result = writePageImage(ImageFileName, page_, state_.WorkBitmap());
    switch (result.outcome) {
    case SaveOutcome::WriteProtected: SetStatusText(1, kWriteProtected); return;
    case SaveOutcome::Failed:
        SetStatusText(1, kSaveFailed);
        prompts_->ShowError(this, kSaveFailed + QLatin1Char('\n') + result.error);
        return;
    case SaveOutcome::Saved:
        if (saved_)
            saved_();
        return;
    }
}

void TImageShow::StrClearClick()
{
    StrBox->clear();
    StrBox->setEditText({});
}

void TImageShow::StrAddClick()
{
    const QString text = StrBox->currentText();
    StrBox->addItem(text);
    StrBox->setEditText(text);
}

void TImageShow::CommentLoadClick()
{
    const auto fileName = prompts_->ChooseCommentFileToLoad(this);
    if (!fileName)
        return;
    try {
        const QStringList items = loadCommentFile(*fileName);
        const QString typed = StrBox->currentText();
        StrBox->clear();
        StrBox->addItems(items);
        StrBox->setEditText(typed);
    } catch (const CommentFileError& error) {
        prompts_->ShowError(this, QString::fromStdString(error.what()));
    }
}

void TImageShow::CommentSaveClick()
{
    const auto fileName = prompts_->ChooseCommentFileToSave(this);
    if (!fileName)
        return;
    QStringList items;
    for (int k = 0; k < StrBox->count(); ++k)
        items << StrBox->itemText(k);
    try {
        saveCommentFile(*fileName, items);
    } catch (const CommentFileError& error) {
        prompts_->ShowError(this, QString::fromStdString(error.what()));
    }
}

} // namespace quillora::editor
