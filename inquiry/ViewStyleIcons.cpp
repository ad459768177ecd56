#include "inquiry/ViewStyleIcons.h"

#include <QPainter>
#include <QPixmap>

namespace quillora::inquiry {
namespace {

constexpr int kSide = 21;
const QColor kBox(40, 90, 170);
const QColor kLine(60, 60, 60);

void SmallBoxAndLine(QPainter& painter, int x, int y, int lineLength)
{
    painter.fillRect(x, y, 4, 4, kBox);
    painter.fillRect(x + 6, y + 1, lineLength, 2, kLine);
}

} // namespace

QIcon ViewStyleIcon(ViewStyle style)
{
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    switch (style) {
    case ViewStyle::LargeIcons:
        for (int x : {2, 12})
            for (int y : {2, 12})
                painter.fillRect(x, y, 7, 7, kBox);
        break;
    case ViewStyle::List:
        for (int y : {2, 8, 14})
            SmallBoxAndLine(painter, 2, y, 12);
        break;
    case ViewStyle::SmallIcons:
        for (int x : {1, 11})
            for (int y : {2, 8, 14})
                SmallBoxAndLine(painter, x, y, 3);
        break;
    case ViewStyle::Details:
        for (int y : {2, 8, 14}) {
            SmallBoxAndLine(painter, 1, y, 7);
            painter.fillRect(16, y + 1, 4, 2, kLine);
        }
        break;
    }
    return QIcon(pixmap);
}

} // namespace quillora::inquiry
