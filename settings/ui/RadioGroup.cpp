#include "settings/ui/RadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>
#include <algorithm>

namespace quillora::settings_ui {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(4);
    const int perRow = std::max(columns, 1);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_->addButton(button, i);
        grid->addWidget(button, i / perRow, i % perRow);
    }
}

int RadioGroup::ItemIndex() const { return buttons_->checkedId(); }

void RadioGroup::SetItemIndex(int index)
{
    if (Count() == 0)
        return;
    buttons_->button(std::clamp(index, 0, Count() - 1))->setChecked(true);
}

QAbstractButton* RadioGroup::Item(int index) const { return buttons_->button(index); }

int RadioGroup::Count() const { return static_cast<int>(buttons_->buttons().size()); }

} // namespace quillora::settings_ui
