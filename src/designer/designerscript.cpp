#include "designer/designerscript.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace korvel {

namespace {

const char *const kGlyphNames[] = {"pbgn",    "pend",     "divbgn",  "divend", "spanbgn",
                                   "spanend", "formbgn",  "formend", "style",  "styleend",
                                   "br",      "anchor",   "script",  "comment"};

QString readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

// The glyph pictures go in as data addresses: a page shown from a file may not load pictures
// from the program's resources, but data addresses always work.
QString designerScriptSource()
{
    QJsonObject images;
    for (const char *name : kGlyphNames) {
        QFile file(QStringLiteral(":/designer/glyphs/%1.svg").arg(QLatin1String(name)));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        images.insert(QLatin1String(name),
                      QStringLiteral("data:image/svg+xml;base64,") + QString::fromLatin1(file.readAll().toBase64()));
    }
    // The table snapshot operations go in front: the designer script takes them up. The
    // designer script itself is one function written in two files, its helpers and its
    // operations.
    QString source = readResource(QStringLiteral(":/designer/shim/tableshim.js"))
                   + readResource(QStringLiteral(":/designer/shim/designershim.js"))
                   + readResource(QStringLiteral(":/designer/shim/designerops.js"));
    source.replace(QStringLiteral("/*KORVEL_GLYPH_IMAGES*/{}"),
                   QString::fromUtf8(QJsonDocument(images).toJson(QJsonDocument::Compact)));
    return source;
}

} // namespace korvel
