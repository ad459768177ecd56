#include "app/ui/Tinfo.h"

#include "app/ui/Help.h"
#include "app/ui/MainFormPrompts.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

Tinfo::Tinfo(quillora::ui::MainFormPrompts& prompts, QWidget* owner) : QDialog(owner), prompts_(prompts)
{
    setObjectName(QStringLiteral("Tinfo"));
    setWindowTitle(QStringLiteral("情報"));
    setAutoFillBackground(true);
    QPalette cream = palette();
    cream.setColor(QPalette::Window, QColor(0xFF, 0xFB, 0xF0));
    setPalette(cream);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    ProductLabel = new QLabel(QStringLiteral("クイロラ"));
    QFont bold = ProductLabel->font();
    bold.setPointSize(18);
    bold.setBold(true);
    ProductLabel->setFont(bold);
    VersionLabel = new QLabel(QStringLiteral("%1  %2").arg(QString::fromLatin1(quillora::ui::kVersionText),
                                                           QString::fromUtf8(quillora::ui::kReleaseText)));
    MakerLabel = new QLabel(QStringLiteral("Travex"));
    UrlLabel = new QLabel(QStringLiteral("クイロラの使い方（説明書）"));
    UrlLabel->setToolTip(LinkTarget());
    UrlLabel->setObjectName(QStringLiteral("UrlLabel"));
    QFont underlined = UrlLabel->font();
    underlined.setUnderline(true);
    UrlLabel->setFont(underlined);
    UrlLabel->setStyleSheet(QStringLiteral("color: #0645ad"));
    UrlLabel->setCursor(Qt::PointingHandCursor);
    UrlLabel->installEventFilter(this);
    auto* ok = new QPushButton(QStringLiteral("OK"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    for (QWidget* widget : std::initializer_list<QWidget*>{ProductLabel, VersionLabel, MakerLabel, UrlLabel})
        layout->addWidget(widget, 0, Qt::AlignHCenter);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

QString Tinfo::LinkTarget()
{
    const QString manual = quillora::ui::ManualPath();
    return manual.isEmpty() ? QString::fromLatin1(quillora::ui::kMakerPage) : manual;
}

void Tinfo::UrlLabelClick() { prompts_.openWithShell(LinkTarget()); }

bool Tinfo::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == UrlLabel && event->type() == QEvent::MouseButtonRelease) {
        UrlLabelClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
