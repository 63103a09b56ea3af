#pragma once

#include "updater/commandline.h"
#include "updater/downloader.h"
#include "updater/updatercontext.h"

#include <QList>
#include <QUrl>
#include <QWidget>

class QColor;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QTranslator;

namespace korvel {

class Prompter;
class TFormInfo;

// The updater's window. It checks the update server for a later release of the product named
// on the command line and installs it: by replacing the program file (keeping a backup), by a
// setup program, or by another program. Every question and report goes through the Prompter.
class TFormUpdate final : public QWidget {
    Q_OBJECT
public:
    TFormUpdate(UpdaterContext context, Prompter &prompter, QWidget *parent = nullptr);
    ~TFormUpdate() override;
    Q_DISABLE_COPY_MOVE(TFormUpdate)

    // Handlers
    void FormShow();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtnInfoClick();
    void Timer1Timer();

    const UpdateCommandLine &commandLine() const { return m_commandLine; }
    bool isAnimating() const;
    // True once the updater has ended itself (after starting the installed program or setup,
    // after starting itself anew, or by its Exit button).
    bool hasEnded() const { return m_ended; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void applyLanguage();
    QString text(int line) const;

    // The steps of a check and of the installations.
    bool goOnline() const;
    bool fetchAndCompare();
    // Asks whether to update and whether the running editor may be ended, then ends it.
    bool confirmAndEndProgram();
    void installReplacingProgram();
    void installBySetup();
    void installByProgram();
    void endRunningProgram();
    bool download(const QUrl &url, const QString &path, bool executable, DownloadResult &result);
    void restartSelfAndEnd();
    void endUpdater();

    QString programPath() const;
    QString backupPath() const;

    void stepProgress();
    void setStatus(const QString &text, const QColor &color);
    void toggleAnimation();
    void stopAnimation();
    void showPicture(int index);

    UpdaterContext m_context;
    Prompter &m_prompter;
    Downloader *m_downloader = nullptr;
    TFormInfo *m_formInfo = nullptr;

    QLabel *m_labelApplication = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
    QLabel *m_label4 = nullptr;
    QLabel *m_labelStatus = nullptr;
    QLabel *m_labelOffVersion = nullptr;
    QLabel *m_labelOnVersion = nullptr;
    QLabel *m_labelActioninfo = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QLabel *m_labelInfo = nullptr;
    QLabel *m_labelWhatsNew = nullptr;
    QPushButton *m_bitBtn1 = nullptr;
    QPushButton *m_bitBtn2 = nullptr;
    QPushButton *m_bitBtnInfo = nullptr;
    QList<QLabel *> m_pictures;  // JvImage1 to JvImage6, on one spot
    QTimer *m_timer = nullptr;
    QTranslator *m_qtTexts = nullptr;  // Qt's own button texts in German
    int m_animationCounter = 0;

    // Run values
    UpdateCommandLine m_commandLine;
    QUrl m_downloadAddress;
    QString m_mode;
    bool m_checking = false;
    bool m_closing = false;
    bool m_ended = false;
};

} // namespace korvel
