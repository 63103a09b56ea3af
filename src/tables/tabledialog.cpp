#include "tables/tabledialog.h"

#include "source/formatrules.h"

#include <QColor>

namespace korvel {

QString Color2HTML(const QColor &color)
{
    // red(), green() and blue() resolve a colour of any other kind to its RGB value first.
    return ColorToHtml(color.red(), color.green(), color.blue());
}

} // namespace korvel
