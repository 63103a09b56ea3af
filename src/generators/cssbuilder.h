#pragma once

#include <QString>

#include <optional>
#include <span>

namespace korvel {

// The CSS dialog's fields as typed, with the dialog's defaults.
struct CssFields {
    QString selector = QStringLiteral(".myClass");
    QString position, top, left, width, margin;
    QString borderWidth, borderColor, borderStyle, padding;
    QString fontFamily = QStringLiteral("Arial,Helvetica");
    QString fontSize = QStringLiteral("12pt");
    QString fontWeight, fontStyle, color, textDecoration, textAlign;
    QString backgroundImage, backgroundRepeat, backgroundPosition, backgroundAttachment, backgroundColor;
};

// One declaration of the rule: the property as written before the value, and its field.
// The declarations are written in this order.
struct CssDeclaration {
    const char *property;  // "position:", ..., "background-image:url(" for the picture
    QString CssFields::*value;
};
std::span<const CssDeclaration> cssDeclarations();

// A field whose text cannot stand in the style block: it would end the block ("</style",
// "-->") or the rule ("{", "}", ";", "<", ">"). field is -1 for the selector, otherwise the
// index into cssDeclarations().
struct CssProblem {
    int field = -1;
    QString found;  // the offending text
};
std::optional<CssProblem> findCssProblem(const CssFields &fields);

// The style block with one rule, lines closed by CR LF, no line break after "</style>".
// Empty when the selector is blank (there is no rule to write) or a field is refused by
// findCssProblem. A bare number in a length ("10") is written with "px", which browsers
// need outside quirks mode, and the weight "light" as the keyword "lighter".
QString MakeCss(const CssFields &fields);

// The message for a refused field, in the language (0 German, else English).
QString cssProblemText(const CssProblem &problem, int uiLanguage);

// Where a style block goes in the source: in front of the first "</head>" (found without
// regard to case, the tag kept as written), else in front of the selection, which stays
// behind it. Replace [start, start + length) by text. (Named apart from the source tools'
// StyleInsertion, which the same program links.)
struct StyleBlockPlace {
    qsizetype start = 0;
    qsizetype length = 0;
    QString text;
};
StyleBlockPlace placeStyleBlock(const QString &source, qsizetype selectionStart,
                               qsizetype selectionLength, const QString &block);

} // namespace korvel
