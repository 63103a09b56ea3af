#pragma once

#include "generators/iframemarkup.h"
#include "prompt/helpdialog.h"

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class QGroupBox;
class QToolButton;

namespace korvel {

class Prompter;

// The inline-frame dialog: name, size and source of one iframe. It lives as long as the
// program, so its fields keep their values from one showing to the next.
class TFormIFrame final : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormIFrame)

public:
    explicit TFormIFrame(Prompter &prompter, QWidget *parent = nullptr);

    QString DocumentFile;  // the open document, for relative paths to chosen files
    QString Result;

    void FormShow();     // empties the result and sets the texts of the language
    void BitBtn1Click(); // OK: builds the result
    void BitBtn3Click(); // browse for the source
    IFrameFields fields() const;

private:
    void setCaptions();

    Prompter &m_prompter;
    QGroupBox *m_group = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
    QLineEdit *m_source = nullptr;
    QLabel *m_sourceLabel = nullptr;
    QPushButton *m_browse = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QToolButton *m_helpButton = nullptr;
};

// Shows the dialog in the given language; the iframe HTML, or nothing when cancelled.
std::optional<QString> runIFrameDialog(TFormIFrame &dialog, Prompter &prompter, int uiLanguage,
                                       const QString &documentFile);

} // namespace korvel
