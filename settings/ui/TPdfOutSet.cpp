#include "settings/ui/TPdfOutSet.h"

#include "settings/ExistingFolder.h"
#include "settings/TRegistory.h"
#include "settings/ui/BoundedSpinBox.h"
#include "settings/ui/FolderTree.h"
#include "settings/ui/WindowShape.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace quillora::settings_ui;

namespace {
constexpr int kSquareButtonSide = 50;
}

TPdfOutSet::TPdfOutSet(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("PDF書込設定");
    StatusBar1 = MakeSimpleStatusBar(this);
    ShellTreeView1 = ShapeFolderTreeDialog(*this, QSize(554, 595), BuildRightPanel(), StatusBar1);

    connect(ShellTreeView1, &FolderTree::FolderSelected, this, &TPdfOutSet::ShellTreeView1Click);
    connect(Button3, &QPushButton::clicked, this, &TPdfOutSet::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TPdfOutSet::Button2Click);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* TPdfOutSet::BuildRightPanel()
{
    auto* panel = new QWidget(this);
    QVBoxLayout* column = PanelColumn(panel, 334);

    PdfSetPathDisp = NamedChild<QLineEdit>(this, "PdfSetPathDisp");
    column->addWidget(new QLabel("ベースフォルダー", panel));
    column->addWidget(PdfSetPathDisp);
    column->addWidget(BuildLevelFrame());

    FirstPageOutCheck = NamedChild<QCheckBox>(this, "FirstPageOutCheck", "最初のページを出力する。");
    ScanClrCheck = NamedChild<QCheckBox>(this, "ScanClrCheck", "保存後、スキャナフォルダーをクリアする。");
    column->addWidget(FirstPageOutCheck);
    column->addWidget(ScanClrCheck);
    column->addWidget(BuildInstitutionFrame());
    column->addLayout(BuildQualityRow());
    column->addWidget(BuildPageSizeFrame());
    column->addStretch(1);

    Button1 = NamedChild<QPushButton>(this, "Button1", "キャンセル");
    Button2 = NamedChild<QPushButton>(this, "Button2", "設定");
    column->addLayout(ButtonRow({Button1, Button2}));
    return panel;
}

QWidget* TPdfOutSet::BuildLevelFrame()
{
    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel("フォルダー", frame), 0, 0, 1, 3);
    grid->addWidget(new QLabel("階層", frame), 1, 0);
    grid->addWidget(new QLabel("接頭文字", frame), 1, 1);
    grid->addWidget(new QLabel("接尾文字", frame), 1, 2);
    const std::array<std::array<QLineEdit**, 2>, 4> edits = {
        {{&L1F, &L1B}, {&L2F, &L2B}, {&L3F, &L3B}, {&L4F, &L4B}}};
    for (int level = 0; level < 4; ++level) {
        const QString digit = QString::number(level + 1);
        grid->addWidget(new QLabel(digit, frame), level + 2, 0, Qt::AlignCenter);
        for (int side = 0; side < 2; ++side) {
            const QString name = QString("L%1%2").arg(digit, side == 0 ? "F" : "B");
            auto* edit = new QLineEdit(frame);
            edit->setObjectName(name);
            *edits[level][side] = edit;
            grid->addWidget(edit, level + 2, side + 1);
        }
    }
    return frame;
}

QWidget* TPdfOutSet::BuildInstitutionFrame()
{
    auto* frame = new QGroupBox(this);
    auto* grid = new QGridLayout(frame);
    HPCodeEdit = NamedChild<QLineEdit>(this, "HPCodeEdit");
    WriteProtectChk = NamedChild<QCheckBox>(this, "WriteProtectChk", "上書きを禁止する。");
    WriteDateChk = NamedChild<QCheckBox>(this, "WriteDateChk", "作成日を付ける。");
    grid->addWidget(new QLabel("医療機関コード", frame), 0, 0);
    grid->addWidget(HPCodeEdit, 0, 1);
    grid->addWidget(WriteProtectChk, 1, 0, 1, 2);
    grid->addWidget(WriteDateChk, 2, 0, 1, 2);
    return frame;
}

QLayout* TPdfOutSet::BuildQualityRow()
{
    StretchCheck = NamedChild<QCheckBox>(this, "StretchCheck", "画像をストレッチする。");
    // A typed value outside the range goes to the nearest bound when the spinner loses the
    // focus (150 becomes 100, 20 becomes 50); text that is no number counts as 50.
    QualitySpin = NamedChild<BoundedSpinBox>(this, "QualitySpin");
    QualitySpin->setRange(kQualityMin, kQualityMax);
    QualitySpin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    auto* row = new QHBoxLayout;
    row->addWidget(StretchCheck);
    row->addStretch(1);
    row->addWidget(new QLabel("画像品質", this));
    row->addWidget(QualitySpin);
    return row;
}

QWidget* TPdfOutSet::BuildPageSizeFrame()
{
    auto* frame = new QGroupBox("ページサイズ(Dot)", this);
    auto* row = new QHBoxLayout(frame);
    Edit1 = NamedChild<QLineEdit>(this, "Edit1");
    Edit2 = NamedChild<QLineEdit>(this, "Edit2");
    Button3 = NamedChild<QPushButton>(this, "Button3", "規定値");
    Button3->setAutoDefault(false);
    Button3->setFixedSize(kSquareButtonSide, kSquareButtonSide);
    row->addWidget(new QLabel("縦", frame));
    row->addWidget(Edit1);
    row->addWidget(new QLabel("横", frame));
    row->addWidget(Edit2);
    row->addWidget(Button3);
    return frame;
}

std::array<std::array<QLineEdit*, 2>, 4> TPdfOutSet::LevelEdits() const
{
    return {{{L1F, L1B}, {L2F, L2B}, {L3F, L3B}, {L4F, L4B}}};
}

bool TPdfOutSet::Execute(TRegistory& settings)
{
    Fill(PdfOutValuesFrom(settings));
    PageWidthValue = settings.PdfPageWidth;
    PageHeightValue = settings.PdfPageHeight;
    if (exec() != QDialog::Accepted)
        return false;
    ApplyPdfOutSet(Values(), PageSize{PageWidthValue, PageHeightValue}, settings);
    return true;
}

void TPdfOutSet::Fill(const PdfOutValues& values)
{
    const QString stored = QString::fromStdString(values.Target);
    if (IsExistingFolder(values.Target) && ShellTreeView1->SelectFolder(stored)) {
        PdfSetPathDisp->setText(stored);
    } else {
        ShellTreeView1->SelectFolder(FallbackFolder());
        PdfSetPathDisp->setText(FallbackFolder());
    }
    const auto edits = LevelEdits();
    for (std::size_t level = 0; level < edits.size(); ++level) {
        edits[level][0]->setText(QString::fromStdString(values.Levels[level].Front));
        edits[level][1]->setText(QString::fromStdString(values.Levels[level].Back));
    }
    ScanClrCheck->setChecked(values.FolderClear);
    HPCodeEdit->setText(QString::fromStdString(values.HPCode));
    WriteProtectChk->setChecked(values.WriteInhibit);
    WriteDateChk->setChecked(values.WriteDate);
    StretchCheck->setChecked(values.Stretch);
    FirstPageOutCheck->setChecked(values.FirstPage);
    QualitySpin->setValue(values.Quality);
}

PdfOutValues TPdfOutSet::Values() const
{
    PdfOutValues values;
    values.Target = PdfSetPathDisp->text().toStdString();
    const auto edits = LevelEdits();
    for (std::size_t level = 0; level < edits.size(); ++level)
        values.Levels[level] = {edits[level][0]->text().toStdString(), edits[level][1]->text().toStdString()};
    values.FirstPage = FirstPageOutCheck->isChecked();
    values.FolderClear = ScanClrCheck->isChecked();
    values.HPCode = HPCodeEdit->text().toStdString();
    values.WriteInhibit = WriteProtectChk->isChecked();
    values.WriteDate = WriteDateChk->isChecked();
    values.Stretch = StretchCheck->isChecked();
    values.Quality = QualitySpin->value();
    values.PageHeightText = Edit1->text().toStdString();
    values.PageWidthText = Edit2->text().toStdString();
    return values;
}

void TPdfOutSet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window restored from minimized gets a spontaneous show event; it keeps what was typed.
    if (!event->spontaneous())
        FormShow();
}

void TPdfOutSet::FormShow()
{
    Edit1->setText(QString::number(PageHeightValue));
    Edit2->setText(QString::number(PageWidthValue));
    StatusBar1->clearMessage();
}

void TPdfOutSet::ShellTreeView1Click(const QString& path)
{
    // A folder whose name the store cannot keep is refused here already.
    if (const auto refusal = quillora::settings::UnstorableTextError(path.toStdString()); !refusal.empty()) {
        StatusBar1->showMessage(QString::fromStdString(refusal));
        return;
    }
    PdfSetPathDisp->setText(path);
    StatusBar1->showMessage(path);
}

void TPdfOutSet::Button3Click()
{
    Edit1->setText(QString::number(kDefaultPageHeight));
    Edit2->setText(QString::number(kDefaultPageWidth));
}

void TPdfOutSet::Button2Click()
{
    StatusBar1->clearMessage();
    QualitySpin->interpretText(); // a value still being typed counts as if the focus had left
    PageSize parsed{PageWidthValue, PageHeightValue};
    const std::string error = CheckPdfOutSet(Values(), parsed, IsExistingFolder);
    PageWidthValue = parsed.Width;
    PageHeightValue = parsed.Height;
    if (!error.empty()) {
        StatusBar1->showMessage(QString::fromStdString(error));
        return;
    }
    accept();
}
