#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

// The text side of the formatting commands: what each command writes into the source text
// in place of the selection, and the fragments the designer pastes. Indices count from 0.
namespace korvel {

// From the first "<" (the first character when there is none) up to and including the first
// ">" behind it; empty when no ">" follows.
QString FirstTag(const QString &text);

// "#" and red, green and blue as two upper-case hex digits each; values outside 0 to 255 are
// taken as the nearest of the two.
QString ColorToHtml(int red, int green, int blue);

// The commands whose source result is the selection between two fixed texts.
enum class SourceWrap {
    Bold,
    Italic,
    Underline,
    StrikeThrough,
    AlignLeft,
    AlignRight,
    AlignJustify,
    AlignCenter,
    Superscript,
    Subscript,
    Indent,
    LineBreak,      // appended behind the selection
    HorizontalLine, // appended behind the selection
    Division,
    Span,
};

// The selection with the command's texts around it; with nothing selected, the empty pair.
QString SourceWrapped(SourceWrap wrap, const QString &sel);

// The alignment of an align button's tag: 0 left, 1 right, 2 justify, any other centre.
SourceWrap AlignWrapForTag(int tag);

// Removes the indentation that encloses the selection: the first "<p style" (or else the first
// "<blockquote") start tag and its end tag. The selection's line breaks and tabs become blanks
// (see CompactHtmlKeepingWords) and its ends are trimmed. Nothing when the selection holds
// neither tag: the selection stays as it is.
std::optional<QString> OutdentSource(const QString &sel);

// Like CompactHtml, but without gluing words: every run of blanks, CR, LF and TAB becomes one
// blank, except inside pre, textarea, script and style elements, which are kept as they are.
QString CompactHtmlKeepingWords(const QString &html);

// The attributes one run of the font rule sets; an absent one is left alone.
struct FontChoice {
    std::optional<QString> face;  // font name
    std::optional<QString> size;  // the size field's text, as typed
    std::optional<QString> color; // ColorToHtml text
};

// "<font" + face + size + colour + ">" + sel + "</font>", each attribute only when chosen.
QString FontSource(const QString &sel, const FontChoice &font);

// One editing command for the designer engine, named as Chromium's execCommand names it.
struct EngineCall {
    QString command;
    std::optional<QString> value;
    bool showUserInterface = false;

    friend bool operator==(const EngineCall &, const EngineCall &) = default;
};

// The engine's font size range is 1 to 7: a whole number outside it is taken as the nearest
// end. Any other text goes to the engine as typed.
QString EngineFontSize(const QString &sizeText);

// The designer's font rule: "fontName", "fontSize" and "foreColor", each only when chosen,
// in this order. The handler stops at the first call the engine refuses, leaving the rest.
std::vector<EngineCall> DesignerFontCalls(const FontChoice &font);

// Range text made safe for pasting as HTML: "&", "<" and ">" become character references, so
// that a selected "a < b & c" stays text.
QString escapeRangeText(const QString &text);

// The division the designer pastes for a selection's HTML: its line breaks become blanks and it
// stands on a line of its own inside the division.
QString DesignerDivisionFragment(const QString &rangeHtml);

// The span the designer pastes for a selection's text; formatting inside the selection is dropped.
QString DesignerSpanFragment(const QString &rangeText);

// Where the style block goes: the text of [start, start + length) becomes `replacement`.
struct StyleInsertion {
    qsizetype start = 0;
    qsizetype length = 0;
    QString replacement;

    friend bool operator==(const StyleInsertion &, const StyleInsertion &) = default;
};

// The style dialog's result lands before the page's first "</head>" (any case), which stays
// behind it; a page without one gets it at the selection, before the selected text. Nothing for
// a blank result.
std::optional<StyleInsertion> PlaceStyleBlock(const QString &text, qsizetype selStart,
                                              qsizetype selLength, const QString &styleResult);

// How the link dialog is prepared from the selection.
struct LinkPreset {
    QString description;        // EditColor
    int protocol = 0;           // 0 none, 1 http, 2 mailto, 3 anchor
    std::optional<QString> address; // EditName, when the selection looks like an address
    int kindButton = 0;         // 1 RadioButton1 or 2 RadioButton2 checked before showing; 0 none

    friend bool operator==(const LinkPreset &, const LinkPreset &) = default;
};

// A selection of two characters or more that holds "http" or "www." is a web address, one
// that starts with "#" an anchor, one holding "@" or "mailto" a mail address; a selection that
// starts with "http" or "www." stays a web address whatever it holds further on.
LinkPreset LinkPresetFor(const QString &sel);

} // namespace korvel
