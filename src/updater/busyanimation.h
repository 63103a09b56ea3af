#pragma once

#include <QList>
#include <QPixmap>

namespace korvel {

// The six pictures of the busy animation: a ring of dots, each picture lighting the next one.
QList<QPixmap> busyAnimationPictures(int size);

} // namespace korvel
