#include "settings/ui/BoundedSpinBox.h"

#include <algorithm>

namespace quillora::settings_ui {

QValidator::State BoundedSpinBox::validate(QString& text, int&) const
{
    const QString typed = text.trimmed();
    if (typed.isEmpty() || typed == "-" || typed == "+")
        return QValidator::Intermediate;
    bool isNumber = false;
    const qlonglong value = typed.toLongLong(&isNumber);
    if (!isNumber)
        return QValidator::Invalid;
    return value >= minimum() && value <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void BoundedSpinBox::fixup(QString& text) const
{
    bool isNumber = false;
    const qlonglong value = text.trimmed().toLongLong(&isNumber);
    text = QString::number(isNumber ? std::clamp<qlonglong>(value, minimum(), maximum()) : minimum());
}

} // namespace quillora::settings_ui
