#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace korvel {

// The kinds of element the property inspector has a dialog for, chosen by tag name.
enum class InspectKind {
    Body, Table, Cell, Block, Image, Input, Button, TextArea, Select, Font, Link, Form,
    Frame, IFrame, Frameset, Other
};

InspectKind inspectKindFor(const QString &tagName);

// The tag at which the candidate list stops: the whole tag name of the kept element's HTML
// (its first tag), upper case; "TABLE" when nothing is kept.
QString stopTagOf(const QString &keptElementHtml);

// How a dialog field stands for a part of the element.
enum class FieldAccess {
    Attribute, // the lower-case attribute; an emptied field removes it
    Member,    // a typed member of the element (a textarea's default text), read and written as text
    Flag,      // a boolean attribute, shown as "True" or "False"
    Shown,     // shown only, never written
};

// A field that must hold a whole number when it is written.
struct IntegerRule {
    bool integer = false;
    bool required = false; // an empty field is refused instead of removing the attribute
    int minimum = 0;
    int maximum = 0x7fffffff;
};

struct FieldBinding {
    QString name;      // the attribute or member
    QString field;     // the dialog field's object name
    FieldAccess access = FieldAccess::Attribute;
    IntegerRule rule;
    QString absent;    // shown when the attribute is missing
};

// The fields of the inspector's own dialogs for a kind; empty for the kinds handled by the
// borrowed dialogs (table, link, form) and for Other.
QList<FieldBinding> fieldBindings(InspectKind kind);

// One change to make on the element.
struct AttributeEdit {
    QString name;
    FieldAccess access = FieldAccess::Attribute;
    std::optional<QString> value; // nothing: remove the attribute

    bool operator==(const AttributeEdit &) const = default;
};

// The changes for the fields the person changed, or nothing when a changed field that must
// hold a number does not (then nothing at all is to be written). Unchanged fields are left as
// the element has them.
std::optional<QList<AttributeEdit>> planEdits(const QList<FieldBinding> &bindings,
                                              const QHash<QString, QString> &shown,
                                              const QHash<QString, QString> &edited);

// The protocol the link dialog starts with for an address: 0 URL, 1 mail, 2 anchor.
int linkKindOfAddress(const QString &href);

} // namespace korvel
