#include "inquiry/TPdfViewerForm.h"

#include "archive/TDirFile.h"
#include "inquiry/ChartLookup.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

TPdfViewerForm::TPdfViewerForm(TDirFile& dirFile, const TRegistory& settings,
                               quillora::inquiry::ChartListWindow& chartList, QWidget* parent)
    : QDialog(parent), dirFile_(dirFile), settings_(settings), chartList_(chartList)
{
    setWindowTitle("カルテ照会");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Label1 = new QLabel("患者番号", this);
    Label1->setObjectName("Label1");
    PidNo = new QLineEdit(this);
    PidNo->setObjectName("PidNo");
    Button1 = new QPushButton("照会", this);
    Button1->setObjectName("Button1");
    // Not the default button: Enter in the number field must not start a lookup.
    Button1->setAutoDefault(false);
    Button1->setDefault(false);
    ErrorDisp = new QLabel(this);
    ErrorDisp->setObjectName("ErrorDisp");
    ErrorDisp->setStyleSheet("color: red;");

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(PidNo, 0, 1);
    grid->addWidget(Button1, 0, 2);
    grid->addWidget(ErrorDisp, 1, 1, 1, 2);
    setFixedSize(287, 94);

    connect(Button1, &QPushButton::clicked, this, &TPdfViewerForm::Button1Click);
}

void TPdfViewerForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A window restored from minimized gets a spontaneous show event; it keeps what was typed.
    if (!event->spontaneous())
        FormShow();
}

void TPdfViewerForm::FormShow()
{
    PidNo->clear();
    PidNo->setFocus();
    ErrorDisp->clear();
}

void TPdfViewerForm::Button1Click()
{
    ErrorDisp->clear();
    const auto result =
        quillora::inquiry::LookUpChartFolder(PidNo->text().toStdString(), settings_, dirFile_);
    if (!result.Error.empty()) {
        ErrorDisp->setText(QString::fromStdString(result.Error));
        return;
    }
    chartList_.ShowChartList(QString::fromStdString(result.Folder));
}
