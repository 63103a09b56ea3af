#include "benchdocument.h"

#include <map>

namespace korvel::bench {

namespace {

const char *const Blocks[] = {
    "<div class=section>\r\n<h2>Abschnitt</h2>\r\n<p>Die Silben-trennung am Zeilen-ende bleibt oft stehen, "
    "up-to-date und state-of-the-art bleiben, E-Mail auch.</p>\r\n</div>\r\n",
    "<table border=1 cellpadding=2 width=\"100%\">\r\n<tr>\r\n<td width=100 height=5>Ärger über Öl</td>\r\n"
    "<td align=center>5 € &amp; 3 ©</td>\r\n</tr>\r\n<tr>&nbsp;</tr>\r\n</table>\r\n",
    "<p class=MsoNormal><span style=\"font-size:10pt\">Text<o:p></o:p></span></p>\r\n",
    "<a\r\nhref=\"http://www.example-site.de/seite.htm\"\r\ntitle=Verweis>Know-how</a>    und     mehr\r\n",
    "<div id=box><span>Ein unclosed Block <b>mit</b> Maß und Füße, 2-3 Stück.\r\n</div>\r\n",
    "<table><tr><td>a</td><td>b</td></td></tr></table>\r\n",
    "<ul>\r\n<li>Eins</li>\r\n<li>Zwei-drei</li>\r\n</ul>\r\n<p >Ende der Liste  </p >\r\n",
    "<form action=send.php method=post><input type=text name=q value=\"x y\"></form>\r\n",
};

const char *const DenseBlocks[] = {
    "<p><div>Sil-ben=x</p>\r\n",
    "<td><span>a-b-c=d=e</td>\r\n",
    "<tr><td><o:p></td></tr>\r\n",
    "</div></div><div><table>\r\n",
    "<a\r\nhref=x\r\nb=y>up-to-date</a>\r\n",
};

} // namespace

QString GenerateDocument(DocumentKind kind, qsizetype characters)
{
    QString text;
    text.reserve(characters + 4096);
    text += QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                           "<html>\r\n<head>\r\n<title>Test-seite</title>\r\n"
                           "<meta name=description content=\"lang-er Text\">\r\n</head>\r\n<body>\r\n");
    if (kind == DocumentKind::Dense)
        text = QStringLiteral("<html>\r\n<head>\r\n</head>\r\n<body>\r\n");
    for (size_t i = 0; text.size() < characters; ++i) {
        text += kind == DocumentKind::Page ? QString::fromUtf8(Blocks[i % std::size(Blocks)])
                                           : QString::fromUtf8(DenseBlocks[i % std::size(DenseBlocks)]);
    }
    text += QStringLiteral("</body>\r\n</html>\r\n");
    return text;
}

const QString &DocumentOfMegabytes(DocumentKind kind, int megabytes)
{
    static std::map<std::pair<DocumentKind, int>, QString> documents;
    const std::pair key(kind, megabytes);
    auto it = documents.find(key);
    if (it == documents.end())
        it = documents.emplace(key, GenerateDocument(kind, qsizetype(megabytes) << 20)).first;
    return it->second;
}

} // namespace korvel::bench
