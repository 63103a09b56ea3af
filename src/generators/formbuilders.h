#pragma once

#include <QString>
#include <QStringList>

namespace korvel {

// The texts of the form dialog, as typed.
struct FormFields {
    QString name;
    QString action;
    QString method;
    QString encType;
    QString onSubmit;
    bool submitButton = true;
    bool resetButton = true;
    bool inputField = true;
    bool fileUpload = false;
};

// A whole form with the sample fields that are switched on, lines closed by CR LF. Every
// typed value is escaped for its attribute.
QString buildFormFragment(const FormFields &fields);

// The texts of the field dialog, as typed; type is the text of the type box.
struct InputFields {
    QString name;
    QString type;
    QString size;       // or the columns of a text area
    QString maxLength;  // or its rows
    QString value;      // value, or the alt text of a picture button
    QString onClick;
    QString image;      // picture of a button element or an image field
    bool buttonElement = false;  // type "button" writes a button element, not an input
};

// Index of the type box's items; a typed type that is none of them counts as a text area
// for the name and labels, and builds nothing.
enum InputType : int {
    TypeText, TypeHidden, TypePassword, TypeButton, TypeRadio, TypeCheckbox,
    TypeFile, TypeSubmit, TypeReset, TypeTextarea, TypeImage,
};
constexpr int kNoInputType = -1;

// The items of the type box, in index order.
const QStringList &inputTypeNames();
// The item the typed text names, letters compared without regard to case; kNoInputType when
// it names none.
int inputTypeIndex(const QString &typeText);
// The field name a type starts with ("input1", "hidden1"...); any index past the list or
// none gives "textarea1".
QString inputNameForType(int index);
// Whether the type lays out as a text area: columns and rows instead of size and length.
bool inputTypeTakesRows(int index);

// One field for the type the text names; empty when it names no type. Values in attributes
// are escaped for attributes, values shown as text for text.
QString buildInputFragment(const InputFields &fields);

// The fixed sample lists, lines closed by CR LF: a list box of three rows and a drop-down
// list, each with three options and a change handler that shows the chosen value.
QString listBoxFragment();
QString dropDownFragment();

} // namespace korvel
