#pragma once
// A spinner that lets any whole number be typed and brings one outside its range to the
// nearest bound when the typing ends (the focus leaves, or the value is read). Text that is
// no number counts as the minimum. A plain QSpinBox refuses the keystroke that leaves the
// range instead, so a typed 150 ends as 15 and then as the minimum.
#include <QSpinBox>

namespace quillora::settings_ui {

class BoundedSpinBox : public QSpinBox {
public:
    using QSpinBox::QSpinBox;

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    void fixup(QString& text) const override;
};

} // namespace quillora::settings_ui
