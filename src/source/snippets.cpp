#include "source/snippets.h"

namespace korvel {

QString CommentSnippet(const QString &selection)
{
    return QLatin1String("<!-- ") + selection + QLatin1String(" -->");
}

QString DoctypeDeclaration()
{
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
}

QString WithDoctype(const QString &text)
{
    return DoctypeDeclaration() + text;
}

QString ScriptSnippet()
{
    return QStringLiteral("<script type=\"text/javascript\">\r\n\r\n</script>");
}

} // namespace korvel
