#include "generators/imagemarkup.h"

#include "generators/htmlescape.h"

#include <QFileInfo>
#include <QStringList>
#include <QUrl>

namespace korvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool isCircle(const ImageFields &fields)
{
    return fields.shape == QStringLiteral("circle");
}

// The coordinates the shape needs, as numbers; empty when one is missing or not a number, or
// when the area would have no extent (a zero right, bottom or radius).
QStringList coordinates(const ImageFields &fields)
{
    const bool circle = isCircle(fields);
    const QList<const QString *> texts = circle
        ? QList<const QString *>{&fields.left, &fields.top, &fields.right}
        : QList<const QString *>{&fields.left, &fields.top, &fields.right, &fields.bottom};
    QStringList out;
    for (const QString *text : texts) {
        const int value = coordinateValue(*text);
        if (value < 0)
            return {};
        out << QString::number(value);
    }
    if (out.at(2) == QStringLiteral("0") || (!circle && out.at(3) == QStringLiteral("0")))
        return {};
    return out;
}

} // namespace

QString encodedFileName(const QString &path)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(QFileInfo(path).fileName(), "!$&'()*+,;=@"));
}

int coordinateValue(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 9)
        return -1;
    for (const QChar c : trimmed) {
        if (c < u'0' || c > u'9')
            return -1;
    }
    return trimmed.toInt();
}

ImageProblem imageProblem(const ImageFields &fields)
{
    if (fields.source.trimmed().isEmpty())
        return ImageProblem::NoSource;
    if (fields.map && coordinates(fields).isEmpty())
        return ImageProblem::BadCoordinates;
    return ImageProblem::None;
}

QString imageTag(const ImageFields &fields)
{
    QString out = QStringLiteral("<img src=\"") + escapeAttribute(fields.source)
        + QStringLiteral("\"  border=\"0\" alt=\"") + escapeAttribute(fields.alt) + u'"';
    if (fields.width > 0 && fields.height > 0) {
        out += QStringLiteral(" style=\"WIDTH:") + QString::number(fields.width)
            + QStringLiteral("px; HEIGHT:") + QString::number(fields.height) + QStringLiteral("px\"");
    }
    out += QStringLiteral(" title=\"") + escapeAttribute(fields.title) + QStringLiteral("\">");
    return out;
}

QString imageMapHtml(const ImageFields &fields)
{
    const QStringList coords = coordinates(fields);
    if (coords.isEmpty())
        return {};
    const QString name = escapeAttribute(fields.mapName);
    return QStringLiteral("<img src=\"") + escapeAttribute(fields.source)
        + QStringLiteral("\"  border=\"0\" alt=\"My Image\" usemap=\"#") + name + QStringLiteral("\">") + kCrLf
        + QStringLiteral("<map name=\"") + name + QStringLiteral("\">") + kCrLf
        + QStringLiteral(" <area shape=\"") + escapeAttribute(fields.shape)
        + QStringLiteral("\" coords=\"") + coords.join(u',')
        + QStringLiteral("\" href=\"") + escapeAttribute(fields.href)
        + QStringLiteral("\" alt=\"") + escapeAttribute(fields.alt)
        + QStringLiteral("\" title=\"") + escapeAttribute(fields.title)
        + QStringLiteral("\"/></map>") + kCrLf;
}

QString buildImageHtml(const ImageFields &fields)
{
    if (imageProblem(fields) != ImageProblem::None)
        return {};
    return fields.map ? imageMapHtml(fields) : imageTag(fields);
}

int halfRoundedEven(int value)
{
    const int half = value / 2;
    if (value % 2 == 0)
        return half;
    // value = 2 * half + 1 exactly halfway between half and half + 1.
    return half % 2 == 0 ? half : half + 1;
}

bool sliderArea(const QString &shape, int position, int width, int height, SliderArea &area)
{
    if (shape == QStringLiteral("rect")) {
        area = {position, position, width - position, height - position};
        return true;
    }
    if (shape == QStringLiteral("circle")) {
        area = {halfRoundedEven(width), halfRoundedEven(height),
                halfRoundedEven(qMin(width, height)) - position, 0};
        return true;
    }
    return false;
}

int sliderMaximum(const QString &shape, int width, int height)
{
    const int smaller = qMin(width, height);
    return shape == QStringLiteral("circle") ? halfRoundedEven(smaller) : smaller;
}

} // namespace korvel
