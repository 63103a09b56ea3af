#pragma once

#include <QString>

namespace korvel {

// The message catalogue of the main window: one table per language, looked up by line number.
// Language 0 is German, any other value English.
class MessageCatalogue final {
public:
    void setLanguage(int uiLanguage) { m_english = uiLanguage != 0; }
    bool isEnglish() const { return m_english; }

    // The text of a line in the active table; empty for a number outside 0..208.
    QString line(int number) const;
    static QString line(int number, int uiLanguage);

    // Texts the catalogue does not hold, in the active language.
    QString ansiLossQuestion() const;
    QString ansiReplacedReport(int count) const;
    // Before a file that looks binary is opened.
    QString binaryFileQuestion(const QString &path) const;
    // Before a file is opened whose bytes are not all valid in its encoding.
    QString unkeptBytesQuestion(const QString &path, const QString &encoding) const;
    // Before a save whose bytes would contradict the charset the page declares; `declared` is
    // the page's label, `written` the encoding the file would get.
    QString charsetConflictQuestion(const QString &declared, const QString &written) const;

    // Before a save overwrites a file another program changed since it was opened or saved.
    QString changedOnDiskSaveQuestion(const QString &path) const;
    // When the window becomes active and another program changed the open file; `unsaved`
    // adds that the edits in the editor would be lost.
    QString changedOnDiskReloadQuestion(const QString &path, bool unsaved) const;
    // At start-up, about the unsaved edits an editor left behind when it ended without closing.
    QString recoveryQuestion(const QString &name) const;
    // The designer's page did not answer in time: design mode stays as it was.
    QString designerTimeoutReport() const;

    // The help file name of a language, without folder.
    static QString helpFileName(int uiLanguage);

private:
    bool m_english = false;
};

} // namespace korvel
