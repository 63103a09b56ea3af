#include "prompt/qtprompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace korvel {

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A caption that already names its patterns, "All (*.*)", keeps only its words.
        QString caption = parts.at(i);
        const qsizetype paren = caption.indexOf(QLatin1Char('('));
        if (paren > 0)
            caption = caption.left(paren).trimmed();
        out << caption + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

namespace {

QMessageBox::StandardButtons standardButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::YesNoAll: return QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon icon(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Confirmation: return QMessageBox::Question;
    case MessageKind::Plain: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

QString startPath(const FileRequest &request)
{
    if (request.folder.isEmpty())
        return request.name;
    return QDir(request.folder).filePath(request.name);
}

} // namespace

Answer QtPrompter::message(MessageKind kind, const QString &text, Buttons buttons)
{
    QMessageBox box(icon(kind), QApplication::applicationDisplayName(), text,
                    standardButtons(buttons), m_parent);
    switch (box.exec()) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::YesToAll: return Answer::All;
    default: break;
    }
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoAll)
        return Answer::No;
    return Answer::Cancel;
}

std::optional<QString> QtPrompter::input(const QString &caption, const QString &prompt,
                                         const QString &initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal,
                                               initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

QString QtPrompter::openFileName(const FileRequest &request)
{
    return QFileDialog::getOpenFileName(m_parent, request.caption, startPath(request),
                                        qtFileFilter(request.filter));
}

QString QtPrompter::saveFileName(const FileRequest &request)
{
    QFileDialog dialog(m_parent, request.caption, request.folder, qtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The programs ask their own overwrite questions.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.name);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> QtPrompter::chooseColor(const QColor &initial)
{
    const QColor color = QColorDialog::getColor(initial, m_parent);
    if (!color.isValid())
        return std::nullopt;
    return color;
}

std::optional<QFont> QtPrompter::chooseFont(const QFont &initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, m_parent);
    if (!ok)
        return std::nullopt;
    return font;
}

bool QtPrompter::choosePrinter(QPrinter &printer)
{
    QPrintDialog dialog(&printer, m_parent);
    return dialog.exec() == QDialog::Accepted;
}

int QtPrompter::execDialog(QDialog &dialog)
{
    return dialog.exec();
}

} // namespace korvel
