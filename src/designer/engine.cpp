#include "designer/engine.h"

#include "designer/glyphtable.h"

#include <QJsonObject>

namespace korvel {

namespace {

QString str(const char *latin) { return QString::fromLatin1(latin); }

std::optional<int> toInt(const std::optional<QVariant> &value)
{
    if (!value)
        return std::nullopt;
    bool ok = false;
    const double number = value->toDouble(&ok);
    if (!ok || value->typeId() == QMetaType::QString)
        return std::nullopt;
    return static_cast<int>(number);
}

} // namespace

// ---- EngineHandle -------------------------------------------------------------------------

std::optional<QVariant> EngineHandle::call(const QString &op, const QVariantList &args) const
{
    if (!m_engine)
        return std::nullopt;
    QVariantList all;
    all.reserve(args.size() + 1);
    all.append(m_id);
    all.append(args);
    quint64 generation = m_generation;
    return m_engine->call(generation, op, all);
}

std::optional<HtmlElement> EngineHandle::callForElement(const QString &op, const QVariantList &args) const
{
    if (!m_engine)
        return std::nullopt;
    QVariantList all{m_id};
    all.append(args);
    quint64 generation = m_generation;
    const auto value = m_engine->call(generation, op, all);
    if (!value || value->isNull())
        return std::nullopt;
    bool ok = false;
    const qint64 id = value->toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return HtmlElement(m_engine, generation, id);
}

std::optional<QString> EngineHandle::callForString(const QString &op, const QVariantList &args) const
{
    const auto value = call(op, args);
    if (!value || value->typeId() != QMetaType::QString)
        return std::nullopt;
    return value->toString();
}

std::optional<int> EngineHandle::callForInt(const QString &op, const QVariantList &args) const
{
    return toInt(call(op, args));
}

bool EngineHandle::callForSuccess(const QString &op, const QVariantList &args) const
{
    return call(op, args).has_value();
}

// ---- ElementCollection --------------------------------------------------------------------

ElementCollection::ElementCollection(const EngineHandle &owner, const QString &name)
    : EngineHandle(owner.m_engine, owner.m_generation, owner.m_id), m_name(name)
{
}

std::optional<int> ElementCollection::length() const
{
    return callForInt(str("collLength"), {m_name});
}

std::optional<HtmlElement> ElementCollection::item(int index) const
{
    return callForElement(str("collItem"), {m_name, index});
}

// ---- HtmlElement --------------------------------------------------------------------------

std::optional<QString> HtmlElement::tagName() const { return callForString(str("tagName")); }
std::optional<HtmlElement> HtmlElement::parentElement() const { return callForElement(str("parent")); }
std::optional<QString> HtmlElement::outerHTML() const { return callForString(str("outerHTML")); }
bool HtmlElement::setOuterHTML(const QString &html) const { return callForSuccess(str("setOuterHTML"), {html}); }
std::optional<QString> HtmlElement::innerHTML() const { return callForString(str("innerHTML")); }
bool HtmlElement::setInnerHTML(const QString &html) const { return callForSuccess(str("setInnerHTML"), {html}); }
std::optional<QString> HtmlElement::innerText() const { return callForString(str("innerText")); }
bool HtmlElement::setInnerText(const QString &text) const { return callForSuccess(str("setInnerText"), {text}); }
std::optional<QString> HtmlElement::outerText() const { return callForString(str("outerText")); }
bool HtmlElement::setOuterText(const QString &text) const { return callForSuccess(str("setOuterText"), {text}); }
bool HtmlElement::unwrap() const { return callForSuccess(str("unwrap")); }

std::optional<QString> HtmlElement::getAttribute(const QString &name) const
{
    const auto value = call(str("getAttr"), {name});
    if (!value)
        return std::nullopt;
    if (value->isNull())
        return QString();
    if (value->typeId() != QMetaType::QString)
        return std::nullopt;
    return value->toString();
}

bool HtmlElement::setAttribute(const QString &name, const QString &value) const
{
    return callForSuccess(str("setAttr"), {name, value});
}

bool HtmlElement::removeAttribute(const QString &name) const { return callForSuccess(str("removeAttr"), {name}); }
std::optional<QString> HtmlElement::style() const { return callForString(str("style")); }
bool HtmlElement::setStyle(const QString &cssText) const { return callForSuccess(str("setStyle"), {cssText}); }
std::optional<int> HtmlElement::sourceIndex() const { return callForInt(str("sourceIndex")); }

std::optional<QString> HtmlElement::currentStyle(const QString &cssProperty) const
{
    return callForString(str("currentStyle"), {cssProperty});
}

std::optional<QVariant> HtmlElement::property(const QString &name) const
{
    return call(str("prop"), {name});
}

bool HtmlElement::setProperty(const QString &name, const QVariant &value) const
{
    return callForSuccess(str("setProp"), {name, value});
}

ElementCollection HtmlElement::collection(const QString &name) const { return ElementCollection(*this, name); }

std::optional<HtmlElement> HtmlElement::insertRow(int index) const { return callForElement(str("insertRow"), {index}); }
std::optional<HtmlElement> HtmlElement::insertCell(int index) const { return callForElement(str("insertCell"), {index}); }
bool HtmlElement::deleteRow(int index) const { return callForSuccess(str("deleteRow"), {index}); }
bool HtmlElement::deleteCell(int index) const { return callForSuccess(str("deleteCell"), {index}); }

std::optional<QJsonObject> HtmlElement::tableSnapshot() const
{
    const auto value = call(str("tableSnapshot"));
    if (!value || value->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    return QJsonObject::fromVariantMap(value->toMap());
}

bool HtmlElement::applyTableSnapshot(const QJsonObject &snapshot) const
{
    return callForSuccess(str("applyTableSnapshot"), {snapshot.toVariantMap()});
}

std::optional<HtmlElement> HtmlElement::tableCell(int group, int row, int cell) const
{
    return callForElement(str("tableCell"), {group, row, cell});
}

// ---- TextRange ----------------------------------------------------------------------------

std::optional<QString> TextRange::text() const { return callForString(str("rText")); }
bool TextRange::setText(const QString &text) const { return callForSuccess(str("rSetText"), {text}); }
std::optional<QString> TextRange::htmlText() const { return callForString(str("rHtml")); }
std::optional<HtmlElement> TextRange::parentElement() const { return callForElement(str("rParent")); }
bool TextRange::pasteHTML(const QString &html) const { return callForSuccess(str("rPaste"), {html}); }

bool TextRange::moveToElementText(const HtmlElement &element) const
{
    if (element.m_engine != m_engine || element.m_generation != m_generation)
        return false;
    return callForSuccess(str("rMoveToElement"), {element.m_id});
}

bool TextRange::moveToPoint(int x, int y) const { return callForSuccess(str("rMoveToPoint"), {x, y}); }
bool TextRange::collapse(bool toStart) const { return callForSuccess(str("rCollapse"), {toStart}); }
bool TextRange::select() const { return callForSuccess(str("rSelect")); }

std::optional<int> TextRange::offsetLeft() const { return callForInt(str("rOffset"), {str("left")}); }
std::optional<int> TextRange::offsetTop() const { return callForInt(str("rOffset"), {str("top")}); }

// ---- ControlRange -------------------------------------------------------------------------

std::optional<int> ControlRange::length() const { return callForInt(str("cLength")); }
std::optional<HtmlElement> ControlRange::item(int index) const { return callForElement(str("cItem"), {index}); }
std::optional<HtmlElement> ControlRange::commonParentElement() const { return callForElement(str("cCommonParent")); }

// ---- Selection ----------------------------------------------------------------------------

std::optional<QString> Selection::type() const { return callForString(str("selType")); }

std::optional<TextRange> Selection::createTextRange() const
{
    quint64 generation = m_generation;
    if (!m_engine)
        return std::nullopt;
    const auto value = m_engine->call(generation, str("selTextRange"), {m_id});
    if (!value || value->isNull())
        return std::nullopt;
    return TextRange(m_engine, generation, value->toLongLong());
}

std::optional<ControlRange> Selection::createControlRange() const
{
    quint64 generation = m_generation;
    if (!m_engine)
        return std::nullopt;
    const auto value = m_engine->call(generation, str("selControlRange"), {m_id});
    if (!value || value->isNull())
        return std::nullopt;
    return ControlRange(m_engine, generation, value->toLongLong());
}

bool Selection::empty() const { return callForSuccess(str("selEmpty")); }

// ---- StyleSheet ---------------------------------------------------------------------------

std::optional<QString> StyleSheet::title() const { return callForString(str("sTitle")); }
bool StyleSheet::setTitle(const QString &title) const { return callForSuccess(str("sSetTitle"), {title}); }

std::optional<bool> StyleSheet::disabled() const
{
    const auto value = call(str("sDisabled"));
    if (!value || value->typeId() != QMetaType::Bool)
        return std::nullopt;
    return value->toBool();
}

bool StyleSheet::setDisabled(bool disabled) const { return callForSuccess(str("sSetDisabled"), {disabled}); }

bool StyleSheet::addRule(const QString &selector, const QString &style, int index) const
{
    return callForSuccess(str("sAddRule"), {selector, style, index});
}

std::optional<HtmlElement> StyleSheet::owningElement() const { return callForElement(str("sOwner")); }

// ---- HtmlDocument -------------------------------------------------------------------------

std::optional<QString> HtmlDocument::designMode() const { return callForString(str("designMode")); }

bool HtmlDocument::setDesignMode(bool on) const { return m_engine && m_engine->setDesignMode(on); }

bool HtmlDocument::execCommand(const QString &command, bool showUserInterface, const QVariant &value) const
{
    return m_engine && m_engine->runCommand(command, showUserInterface, value);
}

bool HtmlDocument::Exec(int command, const QVariant &value) const
{
    switch (command) {
    case 2328:
        return callForSuccess(str("exec"), {command, value.toBool()});
    case 2336:
        return callForSuccess(str("exec"), {command, QVariant()});
    case 2337: {
        const QList<GlyphEntry> entries = ParseGlyphTable(value.toString());
        if (entries.isEmpty())
            return false;
        QVariantList list;
        for (const GlyphEntry &entry : entries) {
            list.append(QVariantMap{{str("tag"), entry.tag},
                                    {str("image"), entry.image},
                                    {str("end"), entry.endTag},
                                    {str("width"), entry.width},
                                    {str("height"), entry.height}});
        }
        return callForSuccess(str("exec"), {command, list});
    }
    default:
        return false;
    }
}

Selection HtmlDocument::selection() const { return Selection(m_engine, m_generation, 0); }

ElementCollection HtmlDocument::collection(const QString &name) const { return ElementCollection(*this, name); }

std::optional<HtmlElement> HtmlDocument::body() const { return callForElement(str("docElement"), {str("body")}); }

std::optional<HtmlElement> HtmlDocument::documentElement() const
{
    return callForElement(str("docElement"), {str("documentElement")});
}

std::optional<HtmlElement> HtmlDocument::activeElement() const
{
    return callForElement(str("docElement"), {str("activeElement")});
}

std::optional<QString> HtmlDocument::URL() const { return callForString(str("prop"), {str("URL")}); }
std::optional<QString> HtmlDocument::title() const { return callForString(str("prop"), {str("title")}); }
bool HtmlDocument::setTitle(const QString &title) const { return setProperty(str("title"), title); }

std::optional<QVariant> HtmlDocument::property(const QString &name) const { return call(str("prop"), {name}); }

bool HtmlDocument::setProperty(const QString &name, const QVariant &value) const
{
    return callForSuccess(str("setProp"), {name, value});
}

std::optional<int> HtmlDocument::styleSheetCount() const { return callForInt(str("sheetCount")); }

std::optional<StyleSheet> HtmlDocument::styleSheet(int index) const
{
    quint64 generation = m_generation;
    if (!m_engine)
        return std::nullopt;
    const auto value = m_engine->call(generation, str("sheetItem"), {m_id, index});
    if (!value || value->isNull())
        return std::nullopt;
    return StyleSheet(m_engine, generation, value->toLongLong());
}

std::optional<StyleSheet> HtmlDocument::createStyleSheet(int index) const
{
    quint64 generation = m_generation;
    if (!m_engine)
        return std::nullopt;
    const auto value = m_engine->call(generation, str("createSheet"), {m_id, index});
    if (!value || value->isNull())
        return std::nullopt;
    return StyleSheet(m_engine, generation, value->toLongLong());
}

std::optional<QString> HtmlDocument::serializedPage() const { return callForString(str("serialize")); }
std::optional<QString> HtmlDocument::watchedSerializedPage() const { return callForString(str("serializeWatched")); }

std::optional<bool> HtmlDocument::changedSinceWatched() const
{
    const auto value = call(str("changedSinceWatched"));
    if (!value || value->typeId() != QMetaType::Bool)
        return std::nullopt;
    return value->toBool();
}
bool HtmlDocument::appendToHead(const QString &html) const { return callForSuccess(str("headAppend"), {html}); }

// ---- Engine -------------------------------------------------------------------------------

std::optional<HtmlDocument> Engine::Document()
{
    if (!hasDocument())
        return std::nullopt;
    // Generation 0: the document handle always speaks to the page shown at the time.
    return HtmlDocument(this, 0, 0);
}

} // namespace korvel
