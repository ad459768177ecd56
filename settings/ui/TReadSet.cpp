#include "settings/ui/TReadSet.h"

#include "settings/ExistingFolder.h"
#include "settings/TRegistory.h"
#include "settings/ui/FolderTree.h"
#include "settings/ui/RadioGroup.h"
#include "settings/ui/WindowShape.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QVBoxLayout>

using namespace quillora::settings_ui;

TReadSet::TReadSet(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("読込設定");
    StatusBar1 = MakeSimpleStatusBar(this);
    ShellTreeView1 = ShapeFolderTreeDialog(*this, QSize(515, 429), BuildRightPanel(), StatusBar1);

    connect(ShellTreeView1, &FolderTree::FolderSelected, this, &TReadSet::ShellTreeView1Click);
    connect(Button1, &QPushButton::clicked, this, &TReadSet::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* TReadSet::BuildRightPanel()
{
    auto* panel = new QWidget(this);
    QVBoxLayout* column = PanelColumn(panel, 296);

    ScanPathDisp = NamedChild<QLineEdit>(this, "ScanPathDisp");
    ScanPathDisp->setReadOnly(true);
    column->addWidget(new QLabel("スキャナフォルダー", panel));
    column->addWidget(ScanPathDisp);

    auto* typesAndOrder = new QGridLayout;
    typesAndOrder->addWidget(new QLabel("ファイル形式", panel), 0, 0);
    typesAndOrder->addWidget(new QLabel("フォルダー画像取込みの順", panel), 0, 1);
    auto* types = new QVBoxLayout;
    JpegBox = NamedChild<QCheckBox>(this, "JpegBox", "Jpeg");
    TiffBox = NamedChild<QCheckBox>(this, "TiffBox", "Tiff");
    BitmapBox = NamedChild<QCheckBox>(this, "BitmapBox", "Bitmap");
    PngBox = NamedChild<QCheckBox>(this, "PngBox", "Png");
    for (QCheckBox* box : {JpegBox, TiffBox, BitmapBox, PngBox})
        types->addWidget(box);
    typesAndOrder->addLayout(types, 1, 0);
    order = new RadioGroup("指定順", {"指定順に従う", "指定順と逆にする"}, 1, this);
    order->setObjectName("order");
    typesAndOrder->addWidget(order, 1, 1, Qt::AlignTop);
    column->addLayout(typesAndOrder);

    VolNoEdit = NamedChild<QLineEdit>(this, "VolNoEdit");
    column->addWidget(new QLabel("規定の連番", panel));
    column->addWidget(VolNoEdit);

    ImSizeRadio = new RadioGroup("ページ確認の画像サイズ", {"最小", "小", "中", "大", "最大"},
                                 kThumbnailSizeSteps, this);
    ImSizeRadio->setObjectName("ImSizeRadio");
    column->addWidget(ImSizeRadio);
    ThumbCheck = NamedChild<QCheckBox>(this, "ThumbCheck", "ページ確認のサムネイルをストレッチする。");
    column->addWidget(ThumbCheck);
    column->addStretch(1);

    Button2 = NamedChild<QPushButton>(this, "Button2", "キャンセル");
    Button1 = NamedChild<QPushButton>(this, "Button1", "設定");
    column->addLayout(ButtonRow({Button2, Button1}));
    return panel;
}

bool TReadSet::Execute(TRegistory& settings, ReadSetHost& host)
{
    Fill(ReadSetValuesFrom(settings));
    if (exec() != QDialog::Accepted)
        return false;
    const ReadSetValues values = Values();
    const ReadSetOutcome outcome = ApplyReadSet(values, settings);
    host.SetSerialNumberText(QString::fromStdString(values.VolNo));
    if (outcome.ThumbnailsChanged)
        host.RedrawPages();
    return true;
}

void TReadSet::Fill(const ReadSetValues& values)
{
    const QString stored = QString::fromStdString(values.ScannerDir);
    if (!IsExistingFolder(values.ScannerDir) || !ShellTreeView1->SelectFolder(stored))
        ShellTreeView1->SelectFolder(FallbackFolder());
    JpegBox->setChecked(values.JpegType);
    TiffBox->setChecked(values.TiffType);
    BitmapBox->setChecked(values.BitmapType);
    PngBox->setChecked(values.PngType);
    order->SetItemIndex(values.Sequence);
    ImSizeRadio->SetItemIndex(values.ImSize);
    VolNoEdit->setText(QString::fromStdString(values.VolNo));
    ThumbCheck->setChecked(values.ThumbStrech);
}

ReadSetValues TReadSet::Values() const
{
    ReadSetValues values;
    values.ScannerDir = ShellTreeView1->SelectedFolder().toStdString();
    values.JpegType = JpegBox->isChecked();
    values.TiffType = TiffBox->isChecked();
    values.BitmapType = BitmapBox->isChecked();
    values.PngType = PngBox->isChecked();
    values.Sequence = order->ItemIndex();
    values.ImSize = ImSizeRadio->ItemIndex();
    values.VolNo = VolNoEdit->text().toStdString();
    values.ThumbStrech = ThumbCheck->isChecked();
    return values;
}

void TReadSet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window restored from minimized gets a spontaneous show event; it keeps what was typed.
    if (!event->spontaneous())
        FormShow();
}

void TReadSet::FormShow()
{
    ScanPathDisp->setText(ShellTreeView1->SelectedFolder());
    StatusBar1->clearMessage();
}

void TReadSet::ShellTreeView1Click(const QString& path)
{
    ScanPathDisp->setText(path);
    // A folder whose name the store cannot keep is named at once; "設定" refuses it too.
    const auto refusal = quillora::settings::UnstorableTextError(path.toStdString());
    StatusBar1->showMessage(refusal.empty() ? path : QString::fromStdString(refusal));
}

void TReadSet::Button1Click()
{
    StatusBar1->clearMessage();
    const std::string error = CheckReadSet(Values());
    if (!error.empty()) {
        StatusBar1->showMessage(QString::fromStdString(error));
        return;
    }
    accept();
}
