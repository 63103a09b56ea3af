#pragma once

#include "source/catalogueline.h"

#include <QString>

// The whole-text commands written the slow, obvious way: positions counted from 1, every step an
// edit of the growing string, exactly in the order the commands are described. The tests run
// these on many generated texts and require the one-pass implementations to give the same
// output.
namespace korvel::literal {

// Position of `needle` in `text` from position `from`, counted from 1; 0 when absent or when
// `from` lies outside the text.
int Pos(const QString &needle, const QString &text, int from);
int PosNoCase(const QString &needle, const QString &text, int from); // A-Z folded

QString CompactHtml(QString text);
QString RemoveLineBreaks(QString text);
QString ExtractHead(const QString &text);
QString RestoreHead(const QString &text, QString &SavedHead);
bool InsideTag(const QString &text, int position);
QString RemoveLineFeeds(const QString &text);
QString InsertLineFeeds(const QString &text);
QString RemoveHyphenation(QString text, int &count);
QString ReplaceUmlauts(QString text);
QString ReplaceAll(const QString &text, const QString &findText, const QString &replacement, bool matchCase);

// The tag-balance check, every step an edit on tags found afresh by a character-by-character
// scan; unclosed tags are remembered by position and flagged at the end. `report` receives
// the findings.
QString CheckHtml(const QString &text, QString &report, const CatalogueLine &line);

} // namespace korvel::literal
