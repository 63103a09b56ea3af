#pragma once

#include <QString>

#include <optional>

// The table generator's builder: the fields of the table dialog as texts, their corrections on
// OK, and the table HTML they stand for.
namespace korvel {

struct TableFields {
    // The table
    QString rows = QStringLiteral("1");    // EditZeile
    QString cols = QStringLiteral("1");    // EditSpalte
    QString width;                         // EditBreite
    QString height;                        // EditHoehe
    QString border = QStringLiteral("0");  // EditBorder
    QString padding = QStringLiteral("0"); // EditPadding
    QString spacing = QStringLiteral("0"); // EditSpacing
    QString align;                         // ComboBox1
    QString color;                         // EditFarbe
    // Every cell
    QString cellWidth;                            // EditWidth
    QString cellHeight;                           // EditHeight
    QString cellAlign = QStringLiteral("left");   // ComboBox2
    QString cellValign = QStringLiteral("top");   // ComboBox3
    QString cellColor;                            // EditColor
    QString colspan;                              // EditColspan
    QString rowspan;                              // EditRowspan

    bool operator==(const TableFields &) const = default;
};

// The largest table the generator builds.
inline constexpr int kMaxTableRows = 1000;
inline constexpr int kMaxTableCells = 10000;

// True for a text that reads whole as a signed 32-bit integer (blanks around it allowed).
bool IsIntegerText(const QString &text);

// The corrections OK applies before building: rows and cols that are not integers become "1";
// a non-blank table or cell width, height, colspan or rowspan that is not an integer is
// emptied; a non-blank border, padding or spacing that is not an integer becomes "0".
TableFields CorrectedTableFields(TableFields fields);

// True when the table's rows and cells stay within the limits.
bool TableSizeAllowed(const TableFields &fields);

// The table HTML of the (corrected) fields, with upper-case tags and CR LF line breaks; nothing
// when the table would be larger than the limits.
std::optional<QString> MakeTableVar(const TableFields &fields);

// What the source view receives from a table HTML: the text with A-Z lowered; nothing when it
// is blank.
std::optional<QString> TableSourceInsertion(const QString &tableHtml);

} // namespace korvel
