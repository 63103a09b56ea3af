#include "editor/tagcompletion.h"

namespace korvel {

const TagCompletion &tagCompletion()
{
    static const TagCompletion c = [] {
        TagCompletion k;
        const auto add = [&k](const char *display, const char *snippet) {
            k.displays << QString::fromUtf8(display);
            k.snippets << QString::fromUtf8(snippet);
        };
        add("<a href:>", "<a href=\"https://www.example.com/\" target=\"_blank\">Link</a>");
        add("<adress>", "<address></address>");
        add("<area>", "<area shape=\"rect\" coords=\"0,0,0,0\" href=\"https://www.example.com/\" alt=\"caption\" title=\"comment\">");
        add("<b>", "<b></b>");
        add("<bgsound>", "<bgsound src=\"background.mid\" loop=\"infinite\">Microsoft (use embed for Netscape)");
        add("<blockquote>", "<blockquote></blockquote>");
        add("<body>", "<body background=\"background.jpg\" bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#FF9966\" vlink=\"#FF9900\" alink=\"#800080\"></body>");
        add("<br>", "<br>");
        add("<button>", "<button type=\"button\" name=\"Name\" value=\"Wert\" onclick=\"MyScript\"></button>");
        add("<div>", "<div style=\"text-align:left; padding:20px; border:thin solid red; margin:25px\"></div>");
        add("<embed>", "<embed src=\"background.mid\" autostart=\"true\" loop=\"true\" hidden=\"true\" height=\"0\" width=\"0\">");
        add("<form>", "<form action=\"https://www.example.com/cgi-bin/form.cgi\" method=\"get\"></form>");
        add("<font>", "<font face=\"Arial,Verdana\" size=\"7\" color=\"#FF0000\"></font>");
        add("<frame>", "<frame src=\"mypage.htm\" name=\"left\">");
        add("<frameset>", "<frameset rows=\"100,*,60\">");
        add("<h1>", "<h1></h1>");
        add("<head>", "<head></head>");
        add("<hr>", "<hr id=\"0\">");
        add("<html>", "<html></html>");
        add("<iframe>", "<iframe src=\"mypage.html\" width=\"90%\" height=\"400\" name=\"inline page\"></iframe>");
        add("<img >", "<img src=\"mypic.jpg\" width=\"320\" height=\"400\" border=\"0\" alt=\"comment\">");
        add("<input>", "<input name=\"name\" type=\"text\" size=\"30\" maxlength=\"30\">");
        add("<li>", "<li></li>");
        add("<map>", "<map name=\"MyMap\"></map>");
        add("<meta>", "<meta name=\"keywords\" lang=\"de\" content=\"Ferien,Sonne,Spanien\">");
        add("<nobr>", "<nobr></nobr>");
        add("<noframes>", "<noframes></noframes>");
        add("<noscript>", "<noscript></noscript>");
        add("<ol>", "<ol type=\"1\" start=\"1\"></ol>");
        add("<p>", "<p></p>");
        add("<pre>", "<pre width=\"50\"></pre>");
        add("<script>", "<script type=\"text/javascript\"><!-- ... --></script>");
        add("<select>", "<select name=\"top5\" size=\"3\"><option></option></select>");
        add("<span>", "<span class=\"MyStyle\"></span>");
        add("<strike>", "<strike></strike>");
        add("<strong>", "<strong></strong>");
        add("<style>", "<style type=\"text/css\"></style>");
        add("<sub>", "<sub></sub>");
        add("<sup>", "<sup></sup>");
        add("<table>", "<table border=\"1\" bgcolor=\"#FFFF00\" cellspacing=\"0\" cellpadding=\"0\" width=\"90%\" height=\"200\"></table>");
        add("<td>", "<td align=\"left\" valign=\"top\" height=\"75\" style=\"background-image:url(background.jpg)\"></td>");
        add("<textarea>", "<textarea cols=\"1\" rows=\"5\" name=\"ThisName\"></textarea>");
        add("<head>", "<head></head>");
        add("<title>", "<title></title>");
        add("<u>", "<u></u>");
        add("<ul>", "<ul type=\"circle/disc/square\"></ul>");
        add("<!doctype>", "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
        return k;
    }();
    return c;
}

} // namespace korvel
