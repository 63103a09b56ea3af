#include "generators/framesetmarkup.h"

#include "generators/htmlescape.h"

namespace korvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString orDefault(const QString &text, const QString &fallback)
{
    return text.trimmed().isEmpty() ? fallback : text;
}

QString frameLine(const FrameFields &frame, const QString &name, const QString &border)
{
    return QStringLiteral("<frame src=\"") + escapeAttribute(frame.source)
        + QStringLiteral("\" name=\"") + name
        + QStringLiteral("\" scrolling=\"") + escapeAttribute(orDefault(frame.scrolling, QStringLiteral("auto")))
        + QStringLiteral("\" marginwidth=\"") + escapeAttribute(orDefault(frame.marginWidth, QStringLiteral("0")))
        + QStringLiteral("\" marginheight=\"") + escapeAttribute(orDefault(frame.marginHeight, QStringLiteral("0")))
        + QStringLiteral("\" frameborder=\"") + border + QStringLiteral("\" ")
        + (frame.noresize ? QStringLiteral("noresize") : QString()) + u'>' + kCrLf;
}

} // namespace

QString framesetDoctype()
{
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\" "
                          "\"http://www.w3.org/TR/html4/frameset.dtd\">");
}

QString noFramesParagraph(int uiLanguage)
{
    return uiLanguage == 0
        ? QStringLiteral("<p>Wird angezeigt, wenn der Browser keine Frames darstellen kann.</p>")
        : QStringLiteral("<p>Will be displayed if browser is unabled to handle frames.</p>");
}

QString buildFramesetPage(const FramesetFields &fields, int uiLanguage)
{
    const QString fb = fields.borders ? QStringLiteral("1") : QStringLiteral("0");
    const auto &f = fields.frame;
    QString page = framesetDoctype() + kCrLf + QStringLiteral("<html>") + kCrLf
        + QStringLiteral("<head>") + kCrLf + QStringLiteral("<title>Frame page</title>") + kCrLf
        + QStringLiteral("</head>") + kCrLf;
    const QString attributes = QStringLiteral(" frameborder=\"") + fb + QStringLiteral("\" framespacing=\"")
        + fb + QStringLiteral("\" border=\"") + fb + QStringLiteral("\">") + kCrLf;
    switch (fields.frames) {
    case 3:
        page += QStringLiteral("<frameset rows=\"20%,80%\"") + attributes
            + frameLine(f[0], QStringLiteral("Top"), fb)
            + QStringLiteral("<frameset cols=\"30%,70%\">") + kCrLf
            + frameLine(f[1], QStringLiteral("Left"), fb) + frameLine(f[2], QStringLiteral("Right"), fb)
            + QStringLiteral("</frameset>") + kCrLf;
        break;
    case 4:
        page += QStringLiteral("<frameset rows=\"20%,60%,20%\"") + attributes
            + frameLine(f[0], QStringLiteral("Top"), fb)
            + QStringLiteral("<frameset cols=\"40%,60%\">") + kCrLf
            + frameLine(f[1], QStringLiteral("Left"), fb) + frameLine(f[2], QStringLiteral("Right"), fb)
            + QStringLiteral("</frameset>") + kCrLf
            + frameLine(f[3], QStringLiteral("Bottom"), fb);
        break;
    default:
        page += QStringLiteral("<frameset cols=\"50%,50%\"") + attributes
            + frameLine(f[0], QStringLiteral("Left"), fb) + frameLine(f[1], QStringLiteral("Right"), fb);
        break;
    }
    page += QStringLiteral("<noframes>") + kCrLf + QStringLiteral("<body>") + kCrLf
        + noFramesParagraph(uiLanguage) + kCrLf + QStringLiteral("</body>") + kCrLf
        + QStringLiteral("</noframes>") + kCrLf + QStringLiteral("</frameset></html>");
    return page;
}

} // namespace korvel
