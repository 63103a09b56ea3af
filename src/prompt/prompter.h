#pragma once

#include <QString>
#include <QColor>
#include <QFont>
#include <optional>

class QDialog;
class QPrinter;

namespace korvel {

// The kinds of message box the programs show, each with its icon; a plain box has none.
enum class MessageKind { Error, Warning, Information, Confirmation, Plain };

// The fixed button sets of a message box.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, YesNoAll };

// The button the person pressed. Closing a box without a button counts as Cancel
// (or as No where the box has no Cancel, or Ok for a box with only OK).
enum class Answer { Ok, Cancel, Yes, No, All };

// What a file dialog starts with. An empty result means the dialog was cancelled.
struct FileRequest {
    QString caption;
    QString folder;         // starting folder
    QString name;           // preset file name (without folder)
    QString filter;         // "Caption|*.a;*.b|Caption|*.c" as the dialogs are described
    QString defaultSuffix;  // without the dot
};

// Every place where a person answers the program: message boxes, input boxes, the common
// file, colour, font and print dialogs, and every modal dialog window. Production shows Qt
// dialogs; tests script the answers and read back what was shown.
class Prompter {
public:
    virtual ~Prompter() = default;

    virtual Answer message(MessageKind kind, const QString &text, Buttons buttons) = 0;

    // An input box; nothing when cancelled.
    virtual std::optional<QString> input(const QString &caption, const QString &prompt,
                                         const QString &initial) = 0;

    virtual QString openFileName(const FileRequest &request) = 0;
    virtual QString saveFileName(const FileRequest &request) = 0;

    virtual std::optional<QColor> chooseColor(const QColor &initial) = 0;
    virtual std::optional<QFont> chooseFont(const QFont &initial) = 0;

    // The print dialog for the given printer; true when the person chose to print.
    virtual bool choosePrinter(QPrinter &printer) = 0;

    // Shows a modal dialog window and returns QDialog::Accepted or QDialog::Rejected.
    virtual int execDialog(QDialog &dialog) = 0;

    // Convenience forms of message().
    void error(const QString &text) { message(MessageKind::Error, text, Buttons::Ok); }
    void warning(const QString &text) { message(MessageKind::Warning, text, Buttons::Ok); }
    void information(const QString &text) { message(MessageKind::Information, text, Buttons::Ok); }
    void plain(const QString &text) { message(MessageKind::Plain, text, Buttons::Ok); }
};

// Converts a dialog filter of the form "Caption|*.a;*.b|Caption2|*.c" into Qt's
// "Caption (*.a *.b);;Caption2 (*.c)".
QString qtFileFilter(const QString &filter);

} // namespace korvel
