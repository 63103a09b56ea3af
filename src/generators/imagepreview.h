#pragma once

#include <QScrollArea>

class QImage;
class QLabel;

namespace korvel {

// The image dialog's preview: the picture at its own size from the top left corner, so that a
// click's position is the picture's pixel, or stretched to the panel on request.
class ImagePreview final : public QScrollArea {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImagePreview)

public:
    explicit ImagePreview(QWidget *parent = nullptr);

    // An empty picture empties the preview.
    void showPicture(const QImage &picture, bool stretch);
    QImage shownPicture() const;

signals:
    void clicked(const QPoint &pixel);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *m_label = nullptr;
};

// The picture with the outline of a map area on it, transparent inside: a rectangle between two
// corners, or a circle around (x1, y1) with the radius x2.
QImage withAreaOutline(const QImage &picture, bool circle, int x1, int y1, int x2, int y2);

} // namespace korvel
