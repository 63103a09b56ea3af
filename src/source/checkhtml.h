#pragma once

#include "source/catalogueline.h"

#include <QString>

#include <vector>

// "Check HTML": repairs the source text and reports on the balance of the tags div, span,
// table, tr and td in one run.
namespace korvel {

// The positions of the "<" of opening tags found unclosed, kept beside the text. They travel
// with the text through the steps that shorten it, so the finished text can show each unclosed
// tag without anything written into the text that markup of its own could resemble.
using TagMarks = std::vector<qsizetype>;

// The text put directly behind an unclosed opening tag.
QString CheckThisMark();

// Checks one tag kind: an opening pattern is a plain prefix ("<tr" also counts "<track"), the
// closing pattern a whole tag. When the counts differ, opening tags are paired from the last to
// the first with the nearest free closing tag behind them; an opening tag left over is added to
// `marks` (its name written in lower case), a closing tag left over is blanked out when
// there are more closing than opening tags. Each finding appends a line to `CheckReport`. The
// text keeps its length.
QString BalanceTags(const QString &opening, const QString &closing, const QString &text, QString &CheckReport,
                    TagMarks &marks, const CatalogueLine &line);

// The repairing steps: quotes around unquoted attribute values from the first "<body" on,
// clutter removed, line breaks inside tags joined (outside the head section), the html/head/
// body skeleton completed, the five tag kinds balanced, blanks collapsed and "> <" joined.
// `marks` comes back with the unclosed opening tags of the returned text, in ascending order.
QString CleanUpHtml(const QString &text, QString &CheckReport, TagMarks &marks, const CatalogueLine &line);

// Finishes the text: blanks and control characters at both ends go, and each unclosed opening
// tag in `marks` (ascending) gets CheckThisMark() behind the first ">" that follows it.
QString RevealMarks(const QString &text, const TagMarks &marks);

struct CheckHtmlResult {
    QString text;
    QString CheckReport; // one entry per finding, each beginning with CR LF
    QString message;     // what the command shows when it is done
};

CheckHtmlResult CheckHtml(const QString &text, const CatalogueLine &line);

} // namespace korvel
