#pragma once

#include "generators/framesetmarkup.h"
#include "prompt/helpdialog.h"

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace korvel {

class Prompter;

// The frameset dialog: one of three layouts with two, three or four frames and each frame's
// source and display options. It lives as long as the program; its fields keep their values.
class TFormFrames final : public HelpDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TFormFrames)

public:
    explicit TFormFrames(Prompter &prompter, QWidget *parent = nullptr);

    QString DocumentFile;  // the open document, for relative paths to chosen files
    QString Result;

    void FormShow();                // empties the result and sets the texts of the language
    void BitBtn1Click();            // OK: builds the page
    void BtnSourceClick(int frame); // browse for frame 1 to 4
    FramesetFields fields() const;

private:
    struct FrameControls {
        QGroupBox *group = nullptr;
        QLineEdit *source = nullptr;
        QPushButton *browse = nullptr;
        QLineEdit *height = nullptr;
        QLineEdit *width = nullptr;
        QComboBox *scrolling = nullptr;
        QCheckBox *noresize = nullptr;
    };

    void setCaptions();
    FrameControls makeFrame(int n);

    Prompter &m_prompter;
    QGroupBox *m_layoutGroup = nullptr;
    std::array<QRadioButton *, 3> m_layouts{};
    QCheckBox *m_borders = nullptr;
    std::array<FrameControls, 4> m_frames;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
    QToolButton *m_helpButton = nullptr;
};

// Shows the dialog in the given language; the frameset page, or nothing when cancelled.
std::optional<QString> runFramesetDialog(TFormFrames &dialog, Prompter &prompter, int uiLanguage,
                                         const QString &documentFile);

} // namespace korvel
