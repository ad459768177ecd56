#pragma once
// A captioned frame of radio buttons addressed by item index, like a classic radio group.
#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace quillora::settings_ui {

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // Items are laid out in `columns` columns, filled row by row.
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

    int ItemIndex() const;        // -1 when no item is chosen
    void SetItemIndex(int index); // brought into the item range
    QAbstractButton* Item(int index) const;
    int Count() const;

private:
    QButtonGroup* buttons_;
};

} // namespace quillora::settings_ui
