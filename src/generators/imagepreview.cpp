#include "generators/imagepreview.h"

#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

namespace korvel {

ImagePreview::ImagePreview(QWidget *parent)
    : QScrollArea(parent)
{
    setObjectName(QStringLiteral("Panel1"));
    m_label = new QLabel;
    m_label->setObjectName(QStringLiteral("Image"));
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_label->installEventFilter(this);
    setWidget(m_label);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMinimumSize(160, 120);
    setFocusPolicy(Qt::NoFocus);
}

void ImagePreview::showPicture(const QImage &picture, bool stretch)
{
    if (picture.isNull()) {
        m_label->clear();
        setWidgetResizable(false);
        m_label->resize(0, 0);
        return;
    }
    m_label->setPixmap(QPixmap::fromImage(picture));
    m_label->setScaledContents(stretch);
    setWidgetResizable(stretch);
    if (!stretch)
        m_label->resize(picture.size());
}

QImage ImagePreview::shownPicture() const
{
    return m_label->pixmap().toImage();
}

bool ImagePreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_label && event->type() == QEvent::MouseButtonPress) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton) {
            emit clicked(mouse->position().toPoint());
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

QImage withAreaOutline(const QImage &picture, bool circle, int x1, int y1, int x2, int y2)
{
    QImage drawn = picture.convertToFormat(QImage::Format_ARGB32);
    QPainter painter(&drawn);
    painter.setPen(QPen(Qt::red, 1));
    painter.setBrush(Qt::NoBrush);
    if (circle)
        painter.drawEllipse(QPoint(x1, y1), x2, x2);
    else
        painter.drawRect(QRect(QPoint(x1, y1), QPoint(x2, y2)).normalized());
    painter.end();
    return drawn;
}

} // namespace korvel
