#include "updater/busyanimation.h"

#include <QColor>
#include <QPainter>
#include <QtMath>

namespace korvel {

QList<QPixmap> busyAnimationPictures(int size)
{
    constexpr int count = 6;
    QList<QPixmap> pictures;
    const qreal radius = size * 0.34;
    const qreal dot = size * 0.12;
    for (int lit = 0; lit < count; ++lit) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        for (int i = 0; i < count; ++i) {
            const qreal angle = 2 * M_PI * i / count - M_PI / 2;
            const QPointF centre(size / 2.0 + radius * qCos(angle), size / 2.0 + radius * qSin(angle));
            painter.setBrush(i == lit ? QColor(0x1f, 0x6f, 0xc5) : QColor(0xc8, 0xc8, 0xc8));
            painter.drawEllipse(centre, dot, dot);
        }
        painter.end();
        pictures << picture;
    }
    return pictures;
}

} // namespace korvel
