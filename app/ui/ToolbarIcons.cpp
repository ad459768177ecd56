#include "app/ui/ToolbarIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace quillora::ui {

namespace {

QIcon drawIcon(const std::function<void(QPainter&)>& draw)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

} // namespace

QIcon scannerIcon()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(9, 3, 14, 14)); // the sheet coming out
        p.setBrush(QColor(110, 130, 160));
        p.drawRoundedRect(QRectF(2, 14, 28, 14), 3, 3);
        p.setBrush(QColor(120, 220, 120));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(6, 19, 20, 3)); // the scan light
    });
}

QIcon folderIcon()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(QColor(120, 90, 20), 1.5));
        p.setBrush(QColor(240, 200, 90));
        QPainterPath folder;
        folder.moveTo(2, 8);
        folder.lineTo(12, 8);
        folder.lineTo(15, 11);
        folder.lineTo(30, 11);
        folder.lineTo(30, 28);
        folder.lineTo(2, 28);
        folder.closeSubpath();
        p.drawPath(folder);
        p.setPen(QPen(QColor(40, 40, 40), 1));
        p.setBrush(QColor(170, 210, 250));
        p.drawRect(QRectF(10, 14, 14, 11));
        p.setBrush(QColor(60, 150, 60));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({QPointF(11, 24), QPointF(16, 17), QPointF(23, 24)}));
    });
}

QIcon logIcon()
{
    return drawIcon([](QPainter& p) {
        p.setPen(QPen(QColor(40, 40, 40), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 2, 20, 28));
        p.setPen(QPen(QColor(60, 90, 170), 1.5));
        for (int y = 8; y <= 24; y += 4)
            p.drawLine(QPointF(9, y), QPointF(23, y));
    });
}

} // namespace quillora::ui
