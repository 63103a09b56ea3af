#include "generators/objectbuilder.h"

#include "generators/htmlescape.h"

namespace korvel {

namespace {

const QString CRLF = QStringLiteral("\r\n");

QString attribute(const QString &name, const QString &value)
{
    if (value.trimmed().isEmpty())
        return {};
    return QLatin1Char(' ') + name + QStringLiteral("=\"") + escapeAttribute(value) + QLatin1Char('"');
}

QString flashSample(const QString &width, const QString &height)
{
    const QString w = escapeAttribute(width);
    const QString h = escapeAttribute(height);
    const QString four(4, QLatin1Char(' '));
    const QString eleven(11, QLatin1Char(' '));
    return QStringLiteral("<param name=\"movie\" value=\"MyFlash.swf\">") + CRLF
        + four + QStringLiteral("<param name=\"quality\" value=\"high\">") + CRLF
        + four + QStringLiteral("<param name=\"scale\" value=\"exactfit\">") + CRLF
        + four + QStringLiteral("<param name=\"menu\" value=\"true\">") + CRLF
        + four + QStringLiteral("<param name=\"bgcolor\" value=\"#000000\">") + CRLF
        + four + QStringLiteral("<embed src=\"MyFlash.swf\" quality=\"high\" scale=\"exactfit\" menu=\"false\"") + CRLF
        + eleven + QStringLiteral("bgcolor=\"#000000\" width=\"") + w + QStringLiteral("\" height=\"") + h
        + QStringLiteral("\" swLiveConnect=\"false\"") + CRLF
        + eleven + QStringLiteral("type=\"application/x-shockwave-flash\"") + CRLF
        + eleven + QStringLiteral("pluginspage=\"") + QString::fromUtf16(kFlashPluginsPage) + QStringLiteral("\">") + CRLF
        + four + QStringLiteral("</embed>") + CRLF;
}

} // namespace

QString MakeTag(const ObjectFields &f)
{
    QString out = CRLF + QStringLiteral("<object");
    out += attribute(f.nameAttribute, f.name);
    out += attribute(f.classAttribute, f.classId);
    out += attribute(f.codeAttribute, f.code);
    out += attribute(QStringLiteral("width"), f.width);
    out += attribute(QStringLiteral("height"), f.height);
    out += attribute(QStringLiteral("border"), f.border);
    if (f.mapEnabled && f.map.trimmed() != QLatin1String("#"))
        out += attribute(QStringLiteral("usemap"), f.map);
    out += QLatin1Char('>') + CRLF;
    if (!f.params.trimmed().isEmpty())
        out += f.params + CRLF;
    out += QStringLiteral("</object>") + CRLF;
    return out;
}

QString paramLine(const QString &name, const QString &value)
{
    return QStringLiteral("<param name=\"") + escapeAttribute(name) + QStringLiteral("\" value=\"")
        + escapeAttribute(value) + QStringLiteral("\">");
}

QString appendLine(const QString &text, const QString &line)
{
    if (text.isEmpty() || text.endsWith(QLatin1Char('\n')))
        return text + line;
    return text + CRLF + line;
}

ObjectType objectTypeFromName(const QString &name)
{
    if (name == QLatin1String("Flash"))
        return ObjectType::Flash;
    if (name == QLatin1String("Data"))
        return ObjectType::Data;
    if (name == QLatin1String("Java"))
        return ObjectType::Java;
    if (name == QLatin1String("ActiveX"))
        return ObjectType::ActiveX;
    return ObjectType::None;
}

ObjectFields objectSample(ObjectType type, const QString &width, const QString &height)
{
    ObjectFields f;
    f.width = width;
    f.height = height;
    switch (type) {
    case ObjectType::None:
        break;
    case ObjectType::Flash:
        f.classId = QStringLiteral("CLSID:D27CDB6E-AE6D-11cf-96B8-444553540000");
        f.code = QString::fromUtf16(kFlashCodebase);
        f.params = flashSample(width, height);
        break;
    case ObjectType::Data:
        f.classAttribute = QStringLiteral("data");
        f.codeAttribute = QStringLiteral("type");
        f.classId = QStringLiteral("MyFile.txt");
        f.code = QStringLiteral("text/plain");
        f.mapEnabled = true;
        f.params = QStringLiteral("<param name=\"src\" value=\"MyFile.txt\">");
        break;
    case ObjectType::Java:
        f.nameAttribute = QStringLiteral("codetype");
        f.classId = QStringLiteral("java:myJava.class");
        f.name = QStringLiteral("application/java-vm");
        f.params = QStringLiteral("<applet code=\"myJava.class\" width=\"") + escapeAttribute(width)
            + QStringLiteral("\" height=\"") + escapeAttribute(height)
            + QStringLiteral("\" alt=\"Java-Applet\">") + CRLF + QStringLiteral("</applet>");
        break;
    case ObjectType::ActiveX:
        f.name = QStringLiteral("Mediaplayer");
        f.classId = QStringLiteral("CLSID:05589FA1-C356-11CE-BF01-00AA0055595A");
        f.params = QStringLiteral("<param name=\"filename\" value=\"MyVideo.mpg\">");
        break;
    }
    return f;
}

const QStringList &objectMimeTypes()
{
    static const QStringList types = QStringLiteral(
        "application/acad application/applefile application/gzip application/java application/java-vm "
        "application/msexcel application/mshelp application/mspowerpoint application/msword "
        "application/octet-stream application/pdf application/rtf application/vocaltec-media-desc "
        "application/vocaltec-media-file application/xhtml+xml application/xml application/x-httpd-php "
        "application/x-javascript application/x-macbinary application/x-shockwave-flash application/x-stuffit "
        "application/x-tar application/zip audio/voxware audio/x-aiff audio/x-midi audio/x-mpeg "
        "audio/x-qt-stream audio/x-wav image/gif image/jpeg image/png image/tiff image/x-freehand "
        "image/x-icon message/http message/news multipart/encrypted multipart/form-data multipart/mixed "
        "text/comma-separated-values text/css text/html text/javascript text/plain text/rtf text/xml "
        "text/xml-external-parsed-entity video/mpeg video/quicktime video/vnd.vivo video/x-msvideo "
        "video/x-sgi-movie").split(QLatin1Char(' '));
    return types;
}

} // namespace korvel
