#include "editor/ui/EditorIcons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace quillora::editor {

QIcon glyphIcon(const QString& glyph)
{
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QFont font = painter.font();
    font.setPixelSize(glyph.size() > 1 ? 10 : 15);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x20, 0x30, 0x60));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    painter.end();
    return QIcon(pixmap);
}

} // namespace quillora::editor
