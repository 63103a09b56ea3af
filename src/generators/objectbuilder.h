#pragma once

#include <QString>
#include <QStringList>

namespace korvel {

// The object dialog's fields as typed. Each of the three first fields is written under the
// attribute name its label shows, which changes with the object type.
struct ObjectFields {
    QString name;                                         // EditName
    QString nameAttribute = QStringLiteral("name");       // Label11: "name" or "codetype"
    QString classId;                                      // EditClass
    QString classAttribute = QStringLiteral("classid");   // Label1: "classid" or "data"
    QString code;                                         // EditCode
    QString codeAttribute = QStringLiteral("codebase");   // Label2: "codebase" or "type"
    QString width = QStringLiteral("300");
    QString height = QStringLiteral("300");
    QString border;
    QString map = QStringLiteral("#");  // EditMap: an image map name, for data objects only
    bool mapEnabled = false;
    QString params;  // Memo1, the element's content as HTML, lines joined by CR LF
};

// The object element: CR LF, the start tag with every non-blank field as an attribute (values
// escaped), CR LF, the parameter lines and CR LF when there are any, "</object>" and CR LF.
// A map name other than "#" is written as usemap while the map field is in use.
QString MakeTag(const ObjectFields &fields);

// One parameter line, <param name="..." value="...">, with both values escaped.
QString paramLine(const QString &name, const QString &value);

// The parameter text with one more line at its end.
QString appendLine(const QString &text, const QString &line);

// The starting points of the object dialog, in the order of its type list; None is the
// state before a type is chosen.
enum class ObjectType { None, Flash, Data, Java, ActiveX };
ObjectType objectTypeFromName(const QString &name);

// The fields a type fills in, for the current width and height (the Flash and Java samples
// repeat them). Width and height themselves are left as they are.
ObjectFields objectSample(ObjectType type, const QString &width, const QString &height);

// Where the Flash player was offered: a cab file with the version it needs, and the page.
inline constexpr char16_t kFlashCodebase[] =
    u"https://fpdownload.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=4,0,0,0";
inline constexpr char16_t kFlashPluginsPage[] = u"https://get.adobe.com/flashplayer/";

// The MIME types offered for the type or codetype attribute.
const QStringList &objectMimeTypes();

} // namespace korvel
