#pragma once

#include <QString>

namespace korvel {

// The four kinds of link the link dialog writes, in the order of its kind buttons.
enum class LinkKind { Url, Mail, Anchor, Plain };

// The link dialog's fields as typed.
struct LinkFields {
    LinkKind kind = LinkKind::Url;
    QString address;      // EditName: URL, mail address or anchor name
    QString description;  // EditColor: the link text, source HTML as selected or typed
    QString title;        // EditMyTitle
    QString target;       // ComboBox1
};

// Why OK could not produce a link; the dialog then stays open.
enum class LinkProblem { None, MissingDescription, InvalidMail };

struct LinkOutcome {
    QString html;         // the fragment; empty when problem is set
    LinkProblem problem = LinkProblem::None;
    QString address;      // the address field as it reads afterwards ("#" or "mailto:" removed)
};

// Builds the fragment for the fields. Attribute values are escaped; the description is
// written as it stands, since it is HTML (usually the selected source text). uiLanguage 0 is
// German, any other value English; it chooses the fixed texts of the anchor pair.
LinkOutcome MakeLink(const LinkFields &fields, int uiLanguage);

// True when an anchor name looks like an outside address, which is worth a question.
bool anchorLooksExternal(const QString &address);

// True when a typed URL gets "http://" put in front: it names no scheme and is not a path
// relative to the page ("/", ".", "#" or "?" at its start).
bool needsHttpPrefix(const QString &address);

// The kind the dialog starts with for a selected source text, and whether the selection
// goes into the address field too (otherwise only into the description).
struct LinkPreset {
    LinkKind kind = LinkKind::Url;
    bool selectionIsAddress = false;
};
LinkPreset presetFromSelection(const QString &selection);

// The texts of the link dialog that change with the language.
QString linkProblemText(LinkProblem problem, int uiLanguage);
QString externalAnchorQuestion(int uiLanguage);
QString anchorLabel(int uiLanguage);

} // namespace korvel
