#pragma once

#include <QDialog>
#include <functional>

class QLabel;

namespace korvel {

// The about box: product name, program version and the maker's web address for the reader's
// language. The caller sets the version and the language before showing it.
class TAboutBox final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TAboutBox)

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QLabel *LabelVersion = nullptr;
    int UiLanguage = 0;

    // Sets the captions of the language flag; called when the box is shown.
    void FormShow();
    // The web address the link label shows and opens for the current language.
    QString webAddress() const;

    void setHelpHandler(std::function<void(int)> handler) { m_help = std::move(handler); }
    // Opens an address; the box itself starts nothing.
    void setUrlOpener(std::function<void(const QString &)> opener) { m_openUrl = std::move(opener); }
    // The click on the link label.
    void LinkClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_product = nullptr;
    QLabel *m_versionCaption = nullptr;
    QLabel *m_link = nullptr;
    std::function<void(int)> m_help;
    std::function<void(const QString &)> m_openUrl;
};

} // namespace korvel
