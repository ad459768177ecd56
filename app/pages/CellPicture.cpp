#include "app/pages/CellPicture.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

namespace quillora::pages {

namespace {

const QColor kFrame(0x80, 0x80, 0x80);
const QColor kPlaceholderFill(0xee, 0xee, 0xee);
const QColor kPlaceholderText(0xa0, 0x20, 0x20);

void drawPlaceholder(QPainter& painter, const QRect& area)
{
    painter.fillRect(area, kPlaceholderFill);
    painter.setPen(QPen(kPlaceholderText, 1, Qt::DashLine));
    painter.drawLine(area.topLeft(), area.bottomRight());
    painter.drawLine(area.topRight(), area.bottomLeft());
    QFont font = painter.font();
    font.setPixelSize(std::max(10, area.width() / 6));
    font.setBold(true);
    painter.setFont(font);
    const QString text = QString::fromUtf8(kUnreadableText);
    const QRect box = painter.fontMetrics().boundingRect(text).adjusted(-4, -2, 4, 2);
    const QRect centred(area.center() - box.center() + box.topLeft(), box.size());
    painter.fillRect(centred, Qt::white);
    painter.setPen(kPlaceholderText);
    painter.drawText(centred, Qt::AlignCenter, text);
}

} // namespace

int CellSide(int thumbSide) { return thumbSide + 2; }

QImage CellPicture(const QImage& thumbnail, int thumbSide)
{
    const int side = CellSide(thumbSide);
    QImage cell(side, side, QImage::Format_RGB32);
    cell.fill(kFrame);
    QPainter painter(&cell);
    const QRect inner(1, 1, thumbSide, thumbSide);
    if (thumbnail.isNull())
        drawPlaceholder(painter, inner);
    else
        painter.drawImage(inner, thumbnail);
    return cell;
}

} // namespace quillora::pages
