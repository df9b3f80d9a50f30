#include "platform/qt/GameIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPixmap PiecePixmap(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    const qreal s = side / 32.0;
    QPainterPath body;
    body.addRect(QRectF(3 * s, 8 * s, 20 * s, 20 * s));
    QPainterPath tab;
    tab.addEllipse(QRectF(9 * s, 2 * s, 8 * s, 8 * s)); // knob on top
    QPainterPath side_tab;
    side_tab.addEllipse(QRectF(21 * s, 14 * s, 8 * s, 8 * s)); // knob on the right
    QPainterPath socket;
    socket.addEllipse(QRectF(-1 * s, 14 * s, 8 * s, 8 * s)); // hole on the left
    const QPainterPath piece = body.united(tab).united(side_tab).subtracted(socket);

    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 60, 110), 1.5 * s));
    painter.setBrush(QColor(240, 170, 40));
    painter.drawPath(piece);
    return pixmap;
}

} // namespace

QIcon GameIcon() {
    QIcon icon;
    for (int side : {16, 32, 48, 64})
        icon.addPixmap(PiecePixmap(side));
    return icon;
}
