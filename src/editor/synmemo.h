#pragma once

#include <Qsci/qsciscintilla.h>

#include <QStringList>

#include <vector>

class QsciLexer;
class QsciAPIs;
class QTimer;

namespace korvel {

enum class Highlighter { Html, Css, JavaScript };

// The source view's editor control. It speaks character offsets from 0 (QString indices)
// and lines and columns from 1, and hands out its text with lines joined by CR LF; inside it
// works on QScintilla's UTF-8 byte positions.
class SynMemo final : public QsciScintilla {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SynMemo)

public:
    explicit SynMemo(QWidget *parent = nullptr);
    ~SynMemo() override;

    // Whole text, lines joined by CR LF.
    QString text() const;
    // Replaces the whole text as one undoable edit (line breaks of any kind become CR LF) and
    // puts the caret at the start.
    void setText(const QString &text) override;
    // Puts in a new whole text by replacing only the stretch that differs from the present one,
    // as one undoable edit: on a large page a changed word costs a word, and the line-end marks
    // of the lines outside the stretch stay. Nothing happens when the text is the same.
    void replaceDifferingPart(const QString &text);
    void setLines(const QStringList &lines);
    // The whole text in the control's own form, UTF-8 with CR LF line breaks: a large file goes
    // in and out without a QString between. setUtf8Text empties the undo history, as setLines
    // does; the bytes must be well-formed UTF-8.
    void setUtf8Text(QByteArrayView utf8);
    QByteArray utf8Text() const;
    QStringList lines() const;
    int lineCount() const { return lines().size(); }
    QString lineText(int index) const;  // 0-based; without its line break

    // The kind of each line's break where it differs from the document's own: 0 the document's
    // own, 1 to 3 other kinds, one entry per line. Kept as invisible marks that move with their
    // lines through edits, so a file that mixes line breaks is written back as it was; lines the
    // user adds carry no mark. setText and setLines drop the marks. lineEndKinds is empty when
    // no line is marked.
    void setLineEndKinds(const std::vector<int> &kinds);
    std::vector<int> lineEndKinds() const;

    // Modified by an edit since the last save point, or marked modified by setModified(true),
    // which QScintilla alone cannot do: its flag only follows edits and save points.
    bool modified() const { return m_markedModified || isModified(); }
    void setModified(bool on) override;
    // Empties the text, the undo and redo history and the markers.
    void clearAll();

    QString selText() const;
    // Replaces the selection, or inserts at the caret, as one undoable edit.
    void replaceSelection(const QString &text);

    // Selection start and length as character offsets over text().
    int selStart() const;
    void setSelStart(int offset);  // also moves the caret there and scrolls it into view
    int selLength() const;
    void setSelLength(int length);
    void selectRange(int offset, int length);

    // Caret line and column, counted from 1.
    int caretLine() const;
    int caretColumn() const;
    void setCaretLineColumn(int line, int column);

    int offsetToByte(int offset) const;
    int byteToOffset(int bytePosition) const;

    bool wordWrapOn() const { return wrapMode() != WrapNone; }
    void setWordWrapOn(bool on);
    void setRightMarginColumn(int column);
    int visibleColumns() const;

    void setFontSize(int points);
    int fontSize() const { return m_fontSize; }
    QString fontName() const { return m_fontName; }
    void setLineNumbersVisible(bool on);
    bool lineNumbersVisible() const { return m_lineNumbers; }

    Highlighter highlighter() const { return m_highlighter; }
    void setHighlighter(Highlighter h);
    // Foreground colours of the HTML colouring as Windows colour values (0x00BBGGRR).
    void setHtmlColors(int keyword, int identifier, int value);
    int keywordColor() const { return m_keywordColor; }
    int identifierColor() const { return m_identifierColor; }
    int valueColor() const { return m_valueColor; }

    // The tag completion list: display texts and the snippets they insert.
    static const QStringList &completionDisplays();
    static const QStringList &completionSnippets();
    void showTagCompletion();
    QStringList completionCandidates(const QString &typed) const;
    void acceptCompletion(int index);  // replaces the typed token by the snippet
    bool completionShown() const;

signals:
    void clicked();
    void keyReleased();
    void focusEntered();
    void resized();
    // The modified flag may have changed (an edit, a save point, or setModified).
    void modifiedChanged();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The text between two byte positions, NUL characters included.
    QString textRange(long fromByte, long toByte) const;
    void applyLexer();
    void applyFont();
    void updateGutter();
    QString typedToken() const;
    void narrowTagCompletion();

    QsciLexer *m_lexer = nullptr;
    Highlighter m_highlighter = Highlighter::Html;
    QString m_fontName = QStringLiteral("Courier New");
    int m_fontSize = 10;
    bool m_lineNumbers = true;
    int m_keywordColor = -1;
    int m_identifierColor = -1;
    int m_valueColor = -1;
    QTimer *m_completionTimer = nullptr;
    int m_completionSelection = -1;
    bool m_markedModified = false;
};

} // namespace korvel
