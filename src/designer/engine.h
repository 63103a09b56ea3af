#pragma once

// What the editor calls on the designer's browser engine: the browser control, its document,
// the selection, text and control ranges, elements (with the members of tables, rows and
// cells) and style sheets. The handles are small values that name an object of the document
// shown when they were made; once another document is loaded every call on them fails.
//
// Every call can fail (no document, a stale handle, a member the object does not have, an
// engine that does not answer in time): a failed call returns an empty std::optional or false
// and never blocks. Callers catch failures per operation, as each command decides.

#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <optional>

class QJsonObject;
class QPrinter;

namespace korvel {

class Engine;
class HtmlElement;
class HtmlDocument;

// Identifies one object of one document inside the engine.
class EngineHandle {
public:
    bool isNull() const { return m_engine == nullptr; }

protected:
    EngineHandle() = default;
    EngineHandle(Engine *engine, quint64 generation, qint64 id)
        : m_engine(engine), m_generation(generation), m_id(id) {}

    // Runs one operation on this object; the object's id goes in front of the arguments.
    std::optional<QVariant> call(const QString &op, const QVariantList &args = {}) const;
    // The same for operations that answer with another object of the same document.
    std::optional<HtmlElement> callForElement(const QString &op, const QVariantList &args = {}) const;
    std::optional<QString> callForString(const QString &op, const QVariantList &args = {}) const;
    std::optional<int> callForInt(const QString &op, const QVariantList &args = {}) const;
    bool callForSuccess(const QString &op, const QVariantList &args = {}) const;

    Engine *m_engine = nullptr;
    quint64 m_generation = 0;
    qint64 m_id = 0;

    friend class HtmlDocument;
    friend class HtmlElement;
    friend class Selection;
    friend class TextRange;
    friend class ControlRange;
    friend class StyleSheet;
    friend class ElementCollection;
};

// A list of elements taken from an element or the document by name ("all", "cells", "rows",
// "options", "links", "images", "scripts", "forms", "frames"). It is read afresh on each call.
class ElementCollection final : public EngineHandle {
public:
    ElementCollection() = default;
    std::optional<int> length() const;
    std::optional<HtmlElement> item(int index) const;

private:
    ElementCollection(const EngineHandle &owner, const QString &name);
    QString m_name;
    friend class HtmlElement;
    friend class HtmlDocument;
};

// An element of the designer document. Tag names are reported in upper case; outerText set to
// the empty text removes the element; sourceIndex is the element's place in document order.
class HtmlElement final : public EngineHandle {
public:
    HtmlElement() = default;

    std::optional<QString> tagName() const;
    std::optional<HtmlElement> parentElement() const;

    std::optional<QString> outerHTML() const;
    bool setOuterHTML(const QString &html) const;
    std::optional<QString> innerHTML() const;
    bool setInnerHTML(const QString &html) const;
    std::optional<QString> innerText() const;
    bool setInnerText(const QString &text) const;
    std::optional<QString> outerText() const;
    bool setOuterText(const QString &text) const;
    // Puts the element's children in its place and removes it.
    bool unwrap() const;

    // An absent attribute reads as a null QString. "classname" names the class attribute.
    std::optional<QString> getAttribute(const QString &name) const;
    bool setAttribute(const QString &name, const QString &value) const;
    bool removeAttribute(const QString &name) const;

    // The text of the element's style attribute.
    std::optional<QString> style() const;
    bool setStyle(const QString &cssText) const;

    std::optional<int> sourceIndex() const;

    // The value the page's styles give the element for a CSS property ("outline-style").
    std::optional<QString> currentStyle(const QString &cssProperty) const;

    // The typed members of form fields, anchors, images, frames, fonts, meta tags, tables,
    // rows and cells, by their DOM names ("src", "colSpan", "noResize"...). Values are texts,
    // numbers or booleans.
    std::optional<QVariant> property(const QString &name) const;
    bool setProperty(const QString &name, const QVariant &value) const;

    ElementCollection collection(const QString &name) const;

    // Tables, rows and cells.
    std::optional<int> rowIndex() const { return callForInt(QStringLiteral("prop"), {QStringLiteral("rowIndex")}); }
    std::optional<int> cellIndex() const { return callForInt(QStringLiteral("prop"), {QStringLiteral("cellIndex")}); }
    std::optional<int> colSpan() const { return callForInt(QStringLiteral("prop"), {QStringLiteral("colSpan")}); }
    std::optional<int> rowSpan() const { return callForInt(QStringLiteral("prop"), {QStringLiteral("rowSpan")}); }
    bool setColSpan(int span) const { return setProperty(QStringLiteral("colSpan"), span); }
    bool setRowSpan(int span) const { return setProperty(QStringLiteral("rowSpan"), span); }
    ElementCollection cells() const { return collection(QStringLiteral("cells")); }
    ElementCollection rows() const { return collection(QStringLiteral("rows")); }
    // Index -1 appends, as the DOM does.
    std::optional<HtmlElement> insertRow(int index) const;
    std::optional<HtmlElement> insertCell(int index) const;
    bool deleteRow(int index) const;
    bool deleteCell(int index) const;

    // The table this element is or belongs to (a table, row group, row or cell), read in one
    // call as a snapshot (tables/tablesnapshotjson.h); "origin" names this row or cell in it.
    std::optional<QJsonObject> tableSnapshot() const;
    // Writes a changed snapshot of the same table back in one call: the table element and its
    // attributes stay; the rows and cells that differ from the snapshot are built afresh (their
    // handles go stale), the others stay as they are.
    // The row groups must be those of the table; otherwise nothing changes and it fails.
    bool applyTableSnapshot(const QJsonObject &snapshot) const;
    // The cell at a place of the table's snapshot as it is now.
    std::optional<HtmlElement> tableCell(int group, int row, int cell) const;

    // The same element of the same document.
    bool operator==(const HtmlElement &other) const
    {
        return m_engine == other.m_engine && m_generation == other.m_generation && m_id == other.m_id;
    }

private:
    using EngineHandle::EngineHandle;
    friend class EngineHandle;
    friend class ElementCollection;
    friend class HtmlDocument;
    friend class TextRange;
    friend class ControlRange;
    friend class StyleSheet;
};

// A range of the document's content.
class TextRange final : public EngineHandle {
public:
    TextRange() = default;

    // The plain text, with line breaks as CR LF.
    std::optional<QString> text() const;
    // Replaces the content by the plain text.
    bool setText(const QString &text) const;
    // The serialized content, with the partly covered elements that hold it.
    std::optional<QString> htmlText() const;
    // The innermost element that encloses the whole range.
    std::optional<HtmlElement> parentElement() const;
    // Replaces the content by the parsed fragment; the range ends up collapsed after it.
    bool pasteHTML(const QString &html) const;
    bool moveToElementText(const HtmlElement &element) const;
    // Collapses the range to the caret position at the point (view coordinates in CSS pixels).
    bool moveToPoint(int x, int y) const;
    // Collapses the range to its start or its end.
    bool collapse(bool toStart) const;
    // Makes the range the document's selection.
    bool select() const;
    // The top-left point of the range in view coordinates.
    std::optional<int> offsetLeft() const;
    std::optional<int> offsetTop() const;

private:
    using EngineHandle::EngineHandle;
    friend class Selection;
};

// The objects selected as a whole (an image, a form field, a table...).
class ControlRange final : public EngineHandle {
public:
    ControlRange() = default;
    std::optional<int> length() const;
    std::optional<HtmlElement> item(int index) const;
    // For one object the object itself, for several their nearest common ancestor.
    std::optional<HtmlElement> commonParentElement() const;

private:
    using EngineHandle::EngineHandle;
    friend class Selection;
};

// The document's selection. type() reads "None" for a caret or no selection, "Text" for a
// range of content and "Control" when exactly one object is selected as a whole.
class Selection final : public EngineHandle {
public:
    Selection() = default;
    std::optional<QString> type() const;
    // A range of the current selection; for a "None" selection the collapsed caret position.
    std::optional<TextRange> createTextRange() const;
    // Only for a "Control" selection.
    std::optional<ControlRange> createControlRange() const;
    bool empty() const;

private:
    using EngineHandle::EngineHandle;
    friend class HtmlDocument;
};

class StyleSheet final : public EngineHandle {
public:
    StyleSheet() = default;
    std::optional<QString> title() const;
    bool setTitle(const QString &title) const;
    std::optional<bool> disabled() const;
    bool setDisabled(bool disabled) const;
    bool addRule(const QString &selector, const QString &style, int index = -1) const;
    std::optional<HtmlElement> owningElement() const;

private:
    using EngineHandle::EngineHandle;
    friend class HtmlDocument;
};

// The document shown in the designer: always the one the browser shows at the time of a call.
class HtmlDocument final : public EngineHandle {
public:
    HtmlDocument() = default;

    // Reads "On" or "Off".
    std::optional<QString> designMode() const;
    // Switching design mode on may load the document afresh (without its scripts), so handles
    // taken from the document before become stale; the document handle itself stays usable.
    bool setDesignMode(bool on) const;

    // The legacy editing commands ("Bold", "FontName", "InsertInputText", "2D-Position",
    // "Undo", "Cut", "Copy", "Paste", "Print"...). showUserInterface lets the engine ask for
    // the value itself (the link address, the picture source, the printer). The value of
    // "ForeColor" may be a colour number with red in the low byte.
    bool execCommand(const QString &command, bool showUserInterface = false,
                     const QVariant &value = QVariant()) const;

    // The editing-group commands: 2328 shows (value true) or hides the design-time borders,
    // 2336 empties the tag glyph table and 2337 extends it by a glyph table text.
    bool Exec(int command, const QVariant &value = QVariant()) const;

    Selection selection() const;
    ElementCollection all() const { return collection(QStringLiteral("all")); }
    ElementCollection collection(const QString &name) const;

    std::optional<HtmlElement> body() const;
    std::optional<HtmlElement> documentElement() const;
    std::optional<HtmlElement> activeElement() const;
    std::optional<QString> URL() const;
    std::optional<QString> title() const;
    bool setTitle(const QString &title) const;

    // Document members such as "bgColor", "linkColor", "alinkColor", "vlinkColor".
    std::optional<QVariant> property(const QString &name) const;
    bool setProperty(const QString &name, const QVariant &value) const;

    std::optional<int> styleSheetCount() const;
    std::optional<StyleSheet> styleSheet(int index) const;
    // A new empty style sheet at the index among the page's sheets (-1 for the end).
    std::optional<StyleSheet> createStyleSheet(int index = -1) const;

    // The whole page as the engine serializes it (documentElement.outerHTML), without anything
    // the designer's aids put into it.
    std::optional<QString> serializedPage() const;
    // The same, and from then on the page's changes are counted: changedSinceWatched tells
    // whether the page still serializes as it did then (nothing when the engine did not answer).
    std::optional<QString> watchedSerializedPage() const;
    std::optional<bool> changedSinceWatched() const;
    // Puts the parsed fragment at the end of the document's head; its scripts do not run.
    bool appendToHead(const QString &html) const;

private:
    using EngineHandle::EngineHandle;
    friend class Engine;
};

// The browser control that shows the designer document.
class Engine {
public:
    virtual ~Engine() = default;

    // Loads a local file (a path or a file URL) or a web address. False when the address is
    // unusable; the load itself goes on in the background (see waitUntilReady).
    virtual bool Navigate(const QString &address) = 0;
    virtual bool GoBack() = 0;
    virtual bool GoForward() = 0;
    virtual bool Refresh() = 0;

    // The browser commands that remain: 17 selects the whole page, 12 copies the selection.
    virtual bool ExecWB(int command, int option = 0) = 0;

    // Looks for the text in the page shown, from the current match on towards the end (or the
    // start), wrapping round, and marks the match found. Answers the number of matches in the
    // page, 0 when there is none; empty when nothing is shown or the engine does not answer.
    virtual std::optional<int> findText(const QString &text, bool matchCase, bool backward = false) = 0;
    // Ends a search: the marks go, and the match last found stays selected.
    virtual void stopFinding() = 0;

    // Empty while nothing (or only an error page) is loaded.
    std::optional<HtmlDocument> Document();
    virtual bool hasDocument() const = 0;

    // For a local file its file name, otherwise the page title.
    virtual QString LocationName() const = 0;
    // The address; a local document's begins with "file".
    virtual QString LocationURL() const = 0;
    // 0 nothing loaded, 1 loading, 4 complete.
    virtual int ReadyState() const = 0;
    // Processes events (not user input) until the document is complete; false when the time
    // runs out or the load failed.
    virtual bool waitUntilReady(int timeoutMs = 10000) = 0;

    // When set, the page's message boxes and script errors are not shown.
    virtual bool Silent() const = 0;
    virtual void setSilent(bool silent) = 0;

    // Design mode: the document becomes editable and its own scripts do not run.
    virtual bool setDesignMode(bool on) = 0;

    virtual double zoomFactor() const = 0;
    virtual bool setZoomFactor(double factor) = 0;

    // Prints the document on the printer (also used to draw a print preview).
    virtual bool print(QPrinter &printer) = 0;

    // The low-level channel of the handles: one operation on an object of the document of the
    // given generation (0: the current document, and on return the generation that answered).
    // Empty when it fails.
    virtual std::optional<QVariant> call(quint64 &generation, const QString &op, const QVariantList &args) = 0;
    // The editing commands that need the browser itself (the page's own actions, dialogs).
    virtual bool runCommand(const QString &command, bool showUserInterface, const QVariant &value) = 0;
    // Changes each time another document is loaded.
    virtual quint64 documentGeneration() const = 0;
};

} // namespace korvel
