#pragma once

#include "source/catalogueline.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

// "Check HTML": repairs the source text and reports on the balance of the tags div, span,
// table, tr and td in one run.
namespace korvel {

// The positions of the "<" of opening tags found unclosed, kept beside the text. They travel
// with the text through the steps that shorten it, so the finished text can show each unclosed
// tag without anything written into the text that markup of its own could resemble.
using TagMarks = std::vector<qsizetype>;

// Redundant closing tags blanked out by BalanceTags, as (start, length): they keep the text's
// length while the tag kinds are checked and are deleted once all are done.
using BlankedTags = std::vector<std::pair<qsizetype, qsizetype>>;

// The text put directly behind an unclosed opening tag.
QString CheckThisMark();

// Checks one tag kind, given as its opening and closing pattern ("<div", "</div>"): the start
// and end tags of that name count, in any letter case, with attributes, and end tags with
// white space before their ">"; tags in comments, scripts and styles do not, nor tags whose name
// merely begins with the kind's ("<track" is not "<tr"). When the counts differ, opening tags
// are paired from the last to the first with the nearest free closing tag behind them; an
// opening tag left over is added to `marks` (its name written in lower case), a closing tag
// left over is blanked out when there are more closing than opening tags (and added to
// `blanked` when given). Each finding appends a line to `CheckReport`. The text keeps its length.
QString BalanceTags(const QString &opening, const QString &closing, const QString &text, QString &CheckReport,
                    TagMarks &marks, const CatalogueLine &line, BlankedTags *blanked = nullptr);

// The repairing steps, each on tags only: quotes around unquoted attribute values from the
// body tag on, clutter removed, line breaks inside tags joined (outside the head section), the
// html/head/body skeleton completed, the five tag kinds balanced (redundant closing tags
// deleted) and blank runs inside tags collapsed. Text, comments, scripts, styles and the page's layout stay as written, so a valid
// page comes back unchanged.
// `marks` comes back with the unclosed opening tags of the returned text, in ascending order.
QString CleanUpHtml(const QString &text, QString &CheckReport, TagMarks &marks, const CatalogueLine &line);

// Finishes the text: each unclosed opening tag in `marks` (ascending) gets CheckThisMark()
// behind the first ">" that follows it.
QString RevealMarks(const QString &text, const TagMarks &marks);

struct CheckHtmlResult {
    QString text;
    QString CheckReport; // one entry per finding, each beginning with CR LF
    QString message;     // what the command shows when it is done
};

CheckHtmlResult CheckHtml(const QString &text, const CatalogueLine &line);
// The same, with the text's memory taken over by the steps: a large page is not held twice.
CheckHtmlResult CheckHtml(QString &&text, const CatalogueLine &line);

struct CheckHtmlBytesResult {
    QByteArray text;
    QString CheckReport;
    QString message;
};

// Check HTML on a page's UTF-8 bytes, in their own memory: for well-formed UTF-8 (any line
// breaks, a leading U+FEFF kept as a character) the bytes of what CheckHtml gives for the
// decoded text, with the same report and message. Bytes that are no UTF-8 are checked all the
// same without harm: every byte of 128 or above passes through as it is.
CheckHtmlBytesResult CheckHtmlUtf8(QByteArray &&utf8, const CatalogueLine &line);

} // namespace korvel
