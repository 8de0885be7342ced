#include "ProgramIcon.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace tarvok {

QIcon programIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintProgramIcon(painter, 32);
    return QIcon(pixmap);
}

void paintProgramIcon(QPainter& painter, int size) {
    painter.save();
    painter.scale(size / 32.0, size / 32.0);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x1f, 0x5f, 0xa8));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(22);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("T"));
    painter.restore();
}

} // namespace tarvok
