#include "editor/synmemo.h"

#include "editor/tagcompletion.h"
#include "editor/textdifference.h"

#include "textio/textdecode.h"
#include "textio/textlines.h"

#include <Qsci/qscilexercss.h>
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qscilexerjavascript.h>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QTimer>


namespace korvel {

namespace {

constexpr int kTagListId = 1;
constexpr char kListSeparator = '\n';

QColor fromWindowsColor(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int toWindowsColor(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QString withCrLf(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    return splitAtLineBreaks(text).join(QStringLiteral("\r\n"));
}


} // namespace

namespace {

// Invisible markers for the line-end kinds 1 to 3, below the fold markers (25 to 31).
constexpr int kLineEndMarker = 20;
constexpr int kLineEndKinds = 3;
constexpr int kLineEndMask = ((1 << kLineEndKinds) - 1) << kLineEndMarker;

} // namespace

SynMemo::SynMemo(QWidget *parent)
    : QsciScintilla(parent)
{
    setObjectName(QStringLiteral("SynMemo1"));
    connect(this, &QsciScintilla::modificationChanged, this, [this] { emit modifiedChanged(); });
    setUtf8(true);
    setEolMode(EolWindows);
    setEolVisibility(false);
    SendScintilla(SCI_SETPASTECONVERTENDINGS, 1);
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
    for (int kind = 0; kind < kLineEndKinds; ++kind)
        SendScintilla(SCI_MARKERDEFINE, kLineEndMarker + kind, SC_MARK_EMPTY);
    // A line split in its middle: the part behind the new break holds the line's old end, so it
    // takes the line-end mark (the control leaves marks on the first part; a break typed at the
    // start or the end of a line already leaves them where they belong).
    connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char *, int length, int linesAdded, int, int, int, int, int) {
                if (!(type & SC_MOD_INSERTTEXT) || linesAdded <= 0)
                    return;
                const long first = SendScintilla(SCI_LINEFROMPOSITION, position);
                const long marks = SendScintilla(SCI_MARKERGET, first) & kLineEndMask;
                const long last = first + linesAdded;
                if (!marks || position == SendScintilla(SCI_POSITIONFROMLINE, first)
                    || position + length == SendScintilla(SCI_GETLINEENDPOSITION, last))
                    return;
                for (int kind = 0; kind < kLineEndKinds; ++kind) {
                    if (marks & (1 << (kLineEndMarker + kind))) {
                        SendScintilla(SCI_MARKERDELETE, first, kLineEndMarker + kind);
                        SendScintilla(SCI_MARKERADD, last, kLineEndMarker + kind);
                    }
                }
            });

    // Appearance
    setSelectionForegroundColor(Qt::black);
    setSelectionBackgroundColor(fromWindowsColor(16763541));
    setEdgeMode(EdgeLine);
    setEdgeColumn(120);
    SendScintilla(SCI_SETSCROLLWIDTH, 1600);
    SendScintilla(SCI_SETSCROLLWIDTHTRACKING, 1);
    SendScintilla(SCI_SETENDATLASTLINE, 0);
    SendScintilla(SCI_SETMARGINLEFT, 0, 10);
    setIndentationsUseTabs(false);
    setTabIndents(true);
    setBackspaceUnindents(true);
    setAutoIndent(true);
    setMarginType(0, NumberMargin);
    setMarginWidth(1, 0);

    // Tag completion list
    m_completionTimer = new QTimer(this);
    m_completionTimer->setSingleShot(true);
    m_completionTimer->setInterval(500);
    connect(m_completionTimer, &QTimer::timeout, this, &SynMemo::showTagCompletion);
    connect(this, &QsciScintilla::userListActivated, this, [this](int id, const QString &chosen) {
        if (id != kTagListId)
            return;
        const int index = tagCompletion().displays.indexOf(chosen);
        if (index >= 0)
            acceptCompletion(index);
    });

    applyLexer();
    updateGutter();
}

SynMemo::~SynMemo() = default;

// QScintilla's own text calls pass the text as C strings, which end at the first NUL: every
// text goes in and out here with its length, so a NUL byte is a character like any other.
QString SynMemo::textRange(long fromByte, long toByte) const
{
    if (toByte <= fromByte)
        return {};
    const auto *bytes = reinterpret_cast<const char *>(
        SendScintilla(SCI_GETRANGEPOINTER, static_cast<unsigned long>(fromByte), toByte - fromByte));
    return bytes ? decodeUtf8KeepingMark(QByteArrayView(bytes, toByte - fromByte)) : QString();
}

QString SynMemo::text() const
{
    return textRange(0, SendScintilla(SCI_GETLENGTH));
}

void SynMemo::setText(const QString &text)
{
    // Replaced through the selection, so the change is one step of the undo history and the
    // user's earlier edits stay undoable (QScintilla's own setText forgets the history).
    const bool wasReadOnly = isReadOnly();
    setReadOnly(false);
    selectAll();
    replaceSelection(text);
    selectRange(0, 0);
    setReadOnly(wasReadOnly);
    setLineEndKinds({});
}

void SynMemo::replaceDifferingPart(const QString &text)
{
    const QString old = this->text();
    if (text == old)
        return;
    const DifferingStretch stretch = differingStretch(old, text);
    const bool wasReadOnly = isReadOnly();
    setReadOnly(false);
    selectRange(int(stretch.from), int(old.size() - stretch.tailLength - stretch.from));
    replaceSelection(text.mid(stretch.from, text.size() - stretch.tailLength - stretch.from));
    selectRange(0, 0);
    setReadOnly(wasReadOnly);
}

void SynMemo::setLines(const QStringList &lines)
{
    setUtf8Text(lines.join(QStringLiteral("\r\n")).toUtf8());
}

void SynMemo::setUtf8Text(QByteArrayView utf8)
{
    const bool wasReadOnly = isReadOnly();
    setReadOnly(false);
    // The history is emptied anyway: not collecting it spares a copy of the whole text. Nor is
    // each change announced on its way: the control's wrapper copies the text of a change and
    // decodes it twice over for accessibility events, seconds for a large file. One textChanged
    // at the end tells the listeners instead.
    const long events = SendScintilla(SCI_GETMODEVENTMASK);
    SendScintilla(SCI_SETMODEVENTMASK, 0ul);
    SendScintilla(SCI_SETUNDOCOLLECTION, 0ul);
    SendScintilla(SCI_CLEARALL);
    // The index of UTF-16 positions is built once for the whole text rather than line by line.
    SendScintilla(SCI_RELEASELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
    SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.data());
    SendScintilla(SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF16);
    SendScintilla(SCI_SETUNDOCOLLECTION, 1ul);
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    SendScintilla(SCI_SETMODEVENTMASK, events);
    setReadOnly(wasReadOnly);
    setLineEndKinds({});
    emit textChanged();
    emit linesChanged();
}

QByteArray SynMemo::utf8Text() const
{
    const long length = SendScintilla(SCI_GETLENGTH);
    const auto *bytes = reinterpret_cast<const char *>(SendScintilla(SCI_GETRANGEPOINTER, 0ul, length));
    return bytes ? QByteArray(bytes, length) : QByteArray();
}

void SynMemo::setLineEndKinds(const std::vector<int> &kinds)
{
    // Most files carry no mark: one look spares three passes over the lines.
    if (SendScintilla(SCI_MARKERNEXT, 0, kLineEndMask) >= 0) {
        for (int kind = 0; kind < kLineEndKinds; ++kind)
            SendScintilla(SCI_MARKERDELETEALL, kLineEndMarker + kind);
    }
    const long count = SendScintilla(SCI_GETLINECOUNT);
    for (size_t line = 0; line < kinds.size() && long(line) < count; ++line) {
        if (kinds[line] >= 1 && kinds[line] <= kLineEndKinds)
            SendScintilla(SCI_MARKERADD, static_cast<unsigned long>(line), kLineEndMarker + kinds[line] - 1);
    }
}

std::vector<int> SynMemo::lineEndKinds() const
{
    long line = SendScintilla(SCI_MARKERNEXT, 0, kLineEndMask);
    if (line < 0)
        return {};
    std::vector<int> kinds(size_t(SendScintilla(SCI_GETLINECOUNT)), 0);
    for (; line >= 0; line = SendScintilla(SCI_MARKERNEXT, line + 1, kLineEndMask)) {
        // A line that took in the marks of a line joined to it keeps the lowest kind.
        const long marks = SendScintilla(SCI_MARKERGET, line) & kLineEndMask;
        for (int kind = 0; kind < kLineEndKinds; ++kind) {
            if (marks & (1 << (kLineEndMarker + kind))) {
                kinds[size_t(line)] = kind + 1;
                break;
            }
        }
    }
    return kinds;
}

QStringList SynMemo::lines() const
{
    return splitAtLineBreaks(text());
}

QString SynMemo::lineText(int index) const
{
    if (index < 0 || index >= QsciScintilla::lines())
        return {};
    return textRange(SendScintilla(SCI_POSITIONFROMLINE, index), SendScintilla(SCI_GETLINEENDPOSITION, index));
}

void SynMemo::setModified(bool on)
{
    m_markedModified = on;
    QsciScintilla::setModified(on);
    emit modifiedChanged();
}

void SynMemo::clearAll()
{
    QsciScintilla::setText(QString());
    SendScintilla(SCI_EMPTYUNDOBUFFER);
    markerDeleteAll();
    setModified(false);
}

QString SynMemo::selText() const
{
    return textRange(SendScintilla(SCI_GETSELECTIONSTART), SendScintilla(SCI_GETSELECTIONEND));
}

void SynMemo::replaceSelection(const QString &text)
{
    // The target is the selection, or the caret when nothing is selected; the caret ends
    // behind the new text.
    const QByteArray utf8 = withCrLf(text).toUtf8();
    beginUndoAction();
    SendScintilla(SCI_TARGETFROMSELECTION);
    SendScintilla(SCI_REPLACETARGET, static_cast<unsigned long>(utf8.size()), utf8.constData());
    SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(SendScintilla(SCI_GETTARGETEND)));
    endUndoAction();
}

int SynMemo::offsetToByte(int offset) const
{
    if (offset <= 0)
        return 0;
    const long line = SendScintilla(SCI_LINEFROMINDEXPOSITION, offset, SC_LINECHARACTERINDEX_UTF16);
    const long lineUnits = SendScintilla(SCI_INDEXPOSITIONFROMLINE, line, SC_LINECHARACTERINDEX_UTF16);
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, line);
    return int(SendScintilla(SCI_POSITIONRELATIVECODEUNITS, lineStart, offset - lineUnits));
}

int SynMemo::byteToOffset(int bytePosition) const
{
    const long line = SendScintilla(SCI_LINEFROMPOSITION, bytePosition);
    const long lineUnits = SendScintilla(SCI_INDEXPOSITIONFROMLINE, line, SC_LINECHARACTERINDEX_UTF16);
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, line);
    return int(lineUnits + SendScintilla(SCI_COUNTCODEUNITS, lineStart, bytePosition));
}

int SynMemo::selStart() const
{
    return byteToOffset(int(SendScintilla(SCI_GETSELECTIONSTART)));
}

void SynMemo::setSelStart(int offset)
{
    const int pos = offsetToByte(offset);
    SendScintilla(SCI_GOTOPOS, pos);
}

int SynMemo::selLength() const
{
    return byteToOffset(int(SendScintilla(SCI_GETSELECTIONEND))) - selStart();
}

void SynMemo::setSelLength(int length)
{
    const int start = selStart();
    selectRange(start, length);
}

void SynMemo::selectRange(int offset, int length)
{
    const int from = offsetToByte(offset);
    const int to = offsetToByte(offset + qMax(0, length));
    SendScintilla(SCI_SETSEL, from, to);
}

int SynMemo::caretLine() const
{
    int line = 0, index = 0;
    getCursorPosition(&line, &index);
    return line + 1;
}

int SynMemo::caretColumn() const
{
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    const long line = SendScintilla(SCI_LINEFROMPOSITION, pos);
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, line);
    return int(SendScintilla(SCI_COUNTCODEUNITS, lineStart, pos)) + 1;
}

void SynMemo::setCaretLineColumn(int line, int column)
{
    const long lineIndex = qBound(0, line - 1, QsciScintilla::lines() - 1);
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, lineIndex);
    const long lineEnd = SendScintilla(SCI_GETLINEENDPOSITION, lineIndex);
    long pos = SendScintilla(SCI_POSITIONRELATIVECODEUNITS, lineStart, qMax(0, column - 1));
    if (pos == 0 && column > 1)
        pos = lineEnd;
    SendScintilla(SCI_GOTOPOS, qMin(pos, lineEnd));
}

void SynMemo::setWordWrapOn(bool on)
{
    setWrapMode(on ? WrapWord : WrapNone);
}

void SynMemo::setRightMarginColumn(int column)
{
    setEdgeColumn(qMax(0, column));
}

int SynMemo::visibleColumns() const
{
    const int charWidth = int(SendScintilla(SCI_TEXTWIDTH, STYLE_DEFAULT, "M"));
    if (charWidth <= 0)
        return 0;
    const int gutter = int(SendScintilla(SCI_GETMARGINWIDTHN, 0ul)) + int(SendScintilla(SCI_GETMARGINLEFT));
    return qMax(0, viewport()->width() - gutter) / charWidth;
}

void SynMemo::setFontSize(int points)
{
    if (points <= 0)
        return;
    m_fontSize = points;
    applyFont();
}

void SynMemo::setLineNumbersVisible(bool on)
{
    m_lineNumbers = on;
    updateGutter();
}

void SynMemo::updateGutter()
{
    setMarginLineNumbers(0, m_lineNumbers);
    setMarginWidth(0, m_lineNumbers ? QStringLiteral("00000") : QString());
}

void SynMemo::setHighlighter(Highlighter h)
{
    if (h == m_highlighter && m_lexer)
        return;
    m_highlighter = h;
    applyLexer();
}

void SynMemo::applyLexer()
{
    QsciLexer *old = m_lexer;
    switch (m_highlighter) {
    case Highlighter::Html: m_lexer = new QsciLexerHTML(this); break;
    case Highlighter::Css: m_lexer = new QsciLexerCSS(this); break;
    case Highlighter::JavaScript: m_lexer = new QsciLexerJavaScript(this); break;
    }
    setLexer(m_lexer);
    delete old;
    if (m_highlighter == Highlighter::Html) {
        if (m_keywordColor < 0) {
            m_keywordColor = toWindowsColor(m_lexer->color(QsciLexerHTML::Tag));
            m_identifierColor = toWindowsColor(m_lexer->color(QsciLexerHTML::Attribute));
            m_valueColor = toWindowsColor(m_lexer->color(QsciLexerHTML::HTMLDoubleQuotedString));
        }
        setHtmlColors(m_keywordColor, m_identifierColor, m_valueColor);
    }
    applyFont();
}

void SynMemo::setHtmlColors(int keyword, int identifier, int value)
{
    m_keywordColor = keyword;
    m_identifierColor = identifier;
    m_valueColor = value;
    if (m_highlighter != Highlighter::Html || !m_lexer)
        return;
    m_lexer->setColor(fromWindowsColor(keyword), QsciLexerHTML::Tag);
    m_lexer->setColor(fromWindowsColor(keyword), QsciLexerHTML::UnknownTag);
    m_lexer->setColor(fromWindowsColor(identifier), QsciLexerHTML::Attribute);
    m_lexer->setColor(fromWindowsColor(identifier), QsciLexerHTML::UnknownAttribute);
    for (int style : {int(QsciLexerHTML::HTMLDoubleQuotedString), int(QsciLexerHTML::HTMLSingleQuotedString),
                      int(QsciLexerHTML::HTMLNumber), int(QsciLexerHTML::HTMLValue)})
        m_lexer->setColor(fromWindowsColor(value), style);
}

void SynMemo::applyFont()
{
    QFont font(m_fontName, m_fontSize);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (m_lexer) {
        m_lexer->setDefaultFont(font);
        m_lexer->setFont(font, -1);
    }
    setFont(font);
    QFont gutter(m_fontName, 8);
    gutter.setStyleHint(QFont::TypeWriter);
    setMarginsFont(gutter);
    updateGutter();
}

const QStringList &SynMemo::completionDisplays()
{
    return tagCompletion().displays;
}

const QStringList &SynMemo::completionSnippets()
{
    return tagCompletion().snippets;
}

QString SynMemo::typedToken() const
{
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    const long line = SendScintilla(SCI_LINEFROMPOSITION, pos);
    const long lineStart = SendScintilla(SCI_POSITIONFROMLINE, line);
    const QString before = textRange(lineStart, pos);
    qsizetype i = before.size();
    while (i > 0) {
        const QChar c = before.at(i - 1);
        if (c == QLatin1Char('<')) {
            --i;
            break;
        }
        if (c.isSpace() || c == QLatin1Char('>') || QStringLiteral("()[].").contains(c))
            break;
        --i;
    }
    return before.mid(i);
}

QStringList SynMemo::completionCandidates(const QString &typed) const
{
    QStringList out;
    for (const QString &d : tagCompletion().displays) {
        if (d.startsWith(typed, Qt::CaseInsensitive) && !out.contains(d))
            out << d;
    }
    return out;
}

void SynMemo::showTagCompletion()
{
    const QStringList candidates = completionCandidates(typedToken());
    // With nothing that matches, accepting would overwrite the word at the caret with an
    // unrelated tag; no list is the only sound answer.
    if (candidates.isEmpty()) {
        if (completionShown())
            SendScintilla(SCI_AUTOCCANCEL);
        return;
    }
    // The lexer resets the list's settings whenever the colouring changes, so they are set
    // each time the list opens.
    SendScintilla(SCI_AUTOCSETSEPARATOR, long(kListSeparator));
    SendScintilla(SCI_AUTOCSETMAXHEIGHT, 10);
    SendScintilla(SCI_AUTOCSETIGNORECASE, 1);
    SendScintilla(SCI_AUTOCSETFILLUPS, 0ul, "()[]. ");
    SendScintilla(SCI_AUTOCSETCANCELATSTART, 0);
    SendScintilla(SCI_AUTOCSETAUTOHIDE, 0);
    const QByteArray list = candidates.join(QLatin1Char(kListSeparator)).toUtf8();
    SendScintilla(SCI_USERLISTSHOW, kTagListId, list.constData());
}

void SynMemo::narrowTagCompletion()
{
    // Only a token that still begins a tag keeps the list open.
    if (!typedToken().startsWith(QLatin1Char('<'))) {
        if (completionShown())
            SendScintilla(SCI_AUTOCCANCEL);
        return;
    }
    showTagCompletion();
}

bool SynMemo::completionShown() const
{
    return SendScintilla(SCI_AUTOCACTIVE) != 0;
}

void SynMemo::acceptCompletion(int index)
{
    if (index < 0 || index >= tagCompletion().snippets.size())
        return;
    const QString token = typedToken();
    const long pos = SendScintilla(SCI_GETCURRENTPOS);
    const long from = SendScintilla(SCI_POSITIONRELATIVECODEUNITS, pos, -long(token.size()));
    SendScintilla(SCI_SETSEL, from, pos);
    replaceSelection(tagCompletion().snippets.at(index));
}

void SynMemo::mousePressEvent(QMouseEvent *event)
{
    m_completionTimer->stop();  // the caret leaves the "<" the list was waiting for
    QsciScintilla::mousePressEvent(event);
}

void SynMemo::mouseReleaseEvent(QMouseEvent *event)
{
    QsciScintilla::mouseReleaseEvent(event);
    emit clicked();
}

void SynMemo::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && (event->modifiers() & Qt::ControlModifier)) {
        showTagCompletion();
        return;
    }
    const bool wasShown = completionShown();
    QsciScintilla::keyPressEvent(event);
    // The list opens after a pause behind "<": typing on cancels the wait.
    if (event->text() == QStringLiteral("<"))
        m_completionTimer->start();
    else if (!event->text().isEmpty() || event->key() == Qt::Key_Backspace)
        m_completionTimer->stop();
    // While the list is open it follows the token: narrowed by each character typed, widened
    // again by Backspace. An accepting key has closed it already.
    const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint();
    if (wasShown && (typed ? completionShown() : event->key() == Qt::Key_Backspace))
        narrowTagCompletion();
}

void SynMemo::keyReleaseEvent(QKeyEvent *event)
{
    QsciScintilla::keyReleaseEvent(event);
    emit keyReleased();
}

void SynMemo::resizeEvent(QResizeEvent *event)
{
    QsciScintilla::resizeEvent(event);
    emit resized();
}

void SynMemo::focusInEvent(QFocusEvent *event)
{
    QsciScintilla::focusInEvent(event);
    emit focusEntered();
}

} // namespace korvel
