#include "dialogs/TTagForm.h"

#include "settings/SettingsSchema.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>

namespace {

constexpr int kClientWidth = 288;
constexpr int kClientHeight = 213;
constexpr int kEditWidth = 81;
constexpr int kRowHeight = 21;
constexpr int kButtonSide = 21;
constexpr int kRows = 5;
constexpr int kColumnX[2] = {24, 160};
constexpr int kFirstRowY = 16;
constexpr int kRowPitch = 38;
constexpr int kButtonGap = 3;

} // namespace

TTagForm::TTagForm(TRegistory& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      picker_(settings)
{
    setObjectName(QStringLiteral("TagForm"));
    setWindowTitle(QStringLiteral(u"しおり"));
    setFixedSize(kClientWidth, kClientHeight);

    for (int i = 0; i < quillora::kTagPresetCount; ++i) {
        const int x = kColumnX[i / kRows];
        const int y = kFirstRowY + (i % kRows) * kRowPitch;
        const QString number = QString::number(i + 1);

        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit") + number);
        edit->setGeometry(x, y, kEditWidth, kRowHeight);
        Edits[i] = edit;
        connect(edit, &QLineEdit::textEdited, this, [this, i] { WarnOfLossyText(i); });

        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Button") + number);
        button->setGeometry(x + kEditWidth + kButtonGap, y, kButtonSide, kButtonSide);
        // Return in an edit field must not press a button of its own accord.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] { ButtonClick(i); });
        Buttons[i] = button;
    }
}

QString TTagForm::ChosenTitle() const { return QString::fromStdString(picker_.chosenTitle()); }

QString TTagForm::PageTitle() const { return QString::fromStdString(picker_.pageTitle()); }

void TTagForm::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TTagForm::FormShow()
{
    const quillora::TagPresets presets = picker_.presets();
    for (int i = 0; i < quillora::kTagPresetCount; ++i)
        Edits[i]->setText(QString::fromStdString(presets[i]));
}

// A title is kept as typed, but characters the chart cannot hold are named at once, beside
// the field (the picker has no status bar).
void TTagForm::WarnOfLossyText(int index)
{
    QLineEdit* edit = Edits[index];
    const QString warning =
        QString::fromStdString(quillora::settings::LossyTextWarning(edit->text().toStdString()));
    edit->setToolTip(warning);
    if (warning.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), warning, edit);
}

void TTagForm::ButtonClick(int index)
{
    picker_.choose(Edits[index]->text().toStdString());
    accept();
}

void TTagForm::done(int result)
{
    picker_.close(editTexts());
    QDialog::done(result);
}

quillora::TagPresets TTagForm::editTexts() const
{
    quillora::TagPresets texts;
    for (int i = 0; i < quillora::kTagPresetCount; ++i)
        texts[i] = Edits[i]->text().toStdString();
    return texts;
}
