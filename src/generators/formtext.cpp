#include "generators/formtext.h"

#include "prompt/prompter.h"
#include "textio/atomicfile.h"
#include "textio/textdecode.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStringDecoder>
#include <QToolBar>
#include <QVBoxLayout>

namespace korvel {

namespace {

struct Hint {
    const char *name;
    const char16_t *german;
    const char16_t *english;
};

const Hint kHints[] = {
    {"ToolButton1", u"Neu", u"New"},
    {"ToolButton2", u"Datei öffen", u"Open file"},
    {"ToolButton3", u"Speichern", u"Save"},
    {"ToolButton14", u"Alles auswählen", u"Select all"},
    {"ToolButton6", u"Kopieren", u"Copy"},
    {"ToolButton5", u"Einfügen", u"Paste"},
    {"ToolButton7", u"Ausschneiden", u"Cut"},
    {"ToolButton4", u"Rückgängig", u"Undo"},
    {"ToolButton10", u"Löschen", u"Delete"},
    {"ToolButton12", u"Gesamten Text kopieren", u"Copy entire text"},
    {"ToolButton13", u"Zeilenbegrenzung an/aus", u"WordWrap on/off"},
    {"ToolButton11", u"Schliessen", u"Exit"},
};

} // namespace

std::optional<QString> readTextFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    // A UTF-16 or UTF-32 mark decides; anything else is UTF-8 when it is exactly that, else
    // Windows-1252, so no byte of a file from another tool turns into a replacement character.
    const auto marked = QStringConverter::encodingForData(bytes);
    QString text = marked && *marked != QStringConverter::Utf8 ? QStringDecoder(*marked).decode(bytes)
                                                                 : decodeUtf8OrAnsi(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}

bool writeTextFile(const QString &path, const QString &text)
{
    QByteArray bytes = text.toUtf8();
    if (!bytes.isEmpty())
        bytes.append('\n');
    return writeFileAtomically(path, bytes);
}

TFormText::TFormText(Prompter &prompter, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_prompter(prompter)
{
    setObjectName(QStringLiteral("TFormText"));
    setWindowTitle(QStringLiteral("Simple text"));
    resize(640, 480);

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar1"));
    addButton(QStringLiteral("ToolButton1"), QStringLiteral("🗋"), QStringLiteral("Neu"), &TFormText::ToolButton1Click);
    addButton(QStringLiteral("ToolButton2"), QStringLiteral("📂"), QStringLiteral("Datei öffnen"), &TFormText::ToolButton2Click);
    addButton(QStringLiteral("ToolButton3"), QStringLiteral("💾"), QStringLiteral("Datei speichern"), &TFormText::ToolButton3Click);
    m_toolBar->addSeparator();
    addButton(QStringLiteral("ToolButton14"), QStringLiteral("▦"), QStringLiteral("Alles auswählen"), &TFormText::ToolButton14Click);
    addButton(QStringLiteral("ToolButton6"), QStringLiteral("⧉"), QStringLiteral("Kopieren"), &TFormText::ToolButton6Click);
    addButton(QStringLiteral("ToolButton5"), QStringLiteral("📋"), QStringLiteral("Einfügen"), &TFormText::ToolButton5Click);
    addButton(QStringLiteral("ToolButton7"), QStringLiteral("✂"), QStringLiteral("Ausschneiden"), &TFormText::ToolButton7Click);
    addButton(QStringLiteral("ToolButton4"), QStringLiteral("↶"), QStringLiteral("Rückgängig"), &TFormText::ToolButton4Click);
    addButton(QStringLiteral("ToolButton10"), QStringLiteral("✗"), QStringLiteral("Löschen"), &TFormText::ToolButton10Click);
    m_toolBar->addSeparator();
    addButton(QStringLiteral("ToolButton12"), QStringLiteral("⎘"), QStringLiteral("Gesamten Text in die Zwischenablage kopieren"), &TFormText::ToolButton12Click);
    addButton(QStringLiteral("ToolButton13"), QStringLiteral("↵"), QStringLiteral("Zeilenbegrenzung an/aus"), &TFormText::ToolButton13Click);
    addButton(QStringLiteral("ToolButton11"), QStringLiteral("⏻"), QStringLiteral("Schliessen"), &TFormText::ToolButton11Click);

    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo"));
    Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolBar);
    layout->addWidget(Memo);
}

QAction *TFormText::addButton(const QString &name, const QString &glyph, const QString &hint,
                              void (TFormText::*handler)())
{
    QAction *action = m_toolBar->addAction(glyph);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    return action;
}

bool TFormText::wordWrap() const
{
    return Memo->lineWrapMode() != QPlainTextEdit::NoWrap;
}

void TFormText::setHints()
{
    const bool english = UiLanguage != 0;
    for (const Hint &h : kHints) {
        if (auto *action = findChild<QAction *>(QLatin1String(h.name))) {
            const QString text = QString::fromUtf16(english ? h.english : h.german);
            action->setToolTip(text);
            action->setStatusTip(text);
        }
    }
}

void TFormText::FormShow()
{
    setHints();
    Memo->clear();
    FileName.clear();
    ToolButton5Click();
    ToolButton13Click();
}

void TFormText::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QWidget::showEvent(event);
}

void TFormText::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        if (m_help)
            m_help(70);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFormText::ToolButton1Click()
{
    Memo->clear();
}

void TFormText::ToolButton2Click()
{
    FileRequest request;
    const QString path = m_prompter.openFileName(request);
    if (path.isEmpty())
        return;
    FileName = path;
    if (const std::optional<QString> text = readTextFile(path))
        Memo->setPlainText(*text);
}

void TFormText::ToolButton3Click()
{
    FileRequest request;
    if (!FileName.isEmpty()) {
        const QFileInfo info(FileName);
        request.folder = info.absolutePath();
        request.name = info.fileName();
    }
    const QString path = m_prompter.saveFileName(request);
    if (path.isEmpty())
        return;
    FileName = path;
    writeTextFile(path, Memo->toPlainText());
}

void TFormText::ToolButton4Click()
{
    Memo->undo();
}

void TFormText::ToolButton5Click()
{
    // Paste takes only text; an empty clipboard leaves the text as it is.
    Memo->insertPlainText(QApplication::clipboard()->text());
}

void TFormText::ToolButton6Click()
{
    Memo->copy();
}

void TFormText::ToolButton7Click()
{
    Memo->cut();
}

void TFormText::ToolButton10Click()
{
    Memo->textCursor().removeSelectedText();
}

void TFormText::ToolButton11Click()
{
    close();
}

void TFormText::ToolButton12Click()
{
    Memo->selectAll();
    Memo->copy();
}

void TFormText::ToolButton13Click()
{
    if (wordWrap()) {
        Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
        Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    } else {
        Memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

void TFormText::ToolButton14Click()
{
    Memo->selectAll();
}

} // namespace korvel
