#include "app/catalogue.h"
#include "app/cataloguedata.h"

namespace korvel {

QString MessageCatalogue::line(int number) const
{
    return line(number, m_english ? 1 : 0);
}

QString MessageCatalogue::line(int number, int uiLanguage)
{
    if (number < 0 || number >= kCatalogueLines)
        return {};
    const char16_t *text = uiLanguage != 0 ? kCatalogueEnglish[number] : kCatalogueGerman[number];
    return QString::fromUtf16(text);
}

QString MessageCatalogue::ansiLossQuestion() const
{
    return m_english
        ? QStringLiteral("The text holds characters that the ANSI code page (Windows-1252) cannot store. "
                         "Save the file as UTF-8 to keep them? (No replaces them by \"?\".)")
        : QStringLiteral("Der Text enthält Zeichen, die im ANSI-Zeichensatz (Windows-1252) nicht gespeichert "
                         "werden können. Die Datei als UTF-8 speichern, damit sie erhalten bleiben? "
                         "(Nein ersetzt sie durch \"?\".)");
}

QString MessageCatalogue::ansiReplacedReport(int count) const
{
    return m_english
        ? QStringLiteral("%1 characters could not be stored in the ANSI code page and were replaced by \"?\".").arg(count)
        : QStringLiteral("%1 Zeichen konnten im ANSI-Zeichensatz nicht gespeichert werden und wurden durch \"?\" ersetzt.").arg(count);
}

QString MessageCatalogue::designerTimeoutReport() const
{
    return m_english
        ? QStringLiteral("The designer did not answer in time, so design mode was not switched. Nothing was "
                         "changed; the source text is as it was. Try again, or edit a large page in the source view.")
        : QStringLiteral("Der Designer hat nicht rechtzeitig geantwortet, der Entwurfsmodus wurde nicht umgeschaltet. "
                         "Es wurde nichts geändert; der Quelltext ist unverändert. Versuchen Sie es noch einmal oder "
                         "bearbeiten Sie eine große Seite in der Quelltextansicht.");
}

QString MessageCatalogue::binaryFileQuestion(const QString &path) const
{
    return m_english
        ? QStringLiteral("%1 looks like a binary file, not text. Editing it can damage it, and saving writes "
                         "the whole file anew. Open it anyway?").arg(path)
        : QStringLiteral("%1 scheint eine Binärdatei zu sein, kein Text. Bearbeiten kann sie beschädigen, und "
                         "Speichern schreibt die ganze Datei neu. Trotzdem öffnen?").arg(path);
}

QString MessageCatalogue::unkeptBytesQuestion(const QString &path, const QString &encoding) const
{
    return m_english
        ? QStringLiteral("%1 holds bytes that are not valid %2. They are shown as replacement characters, and "
                         "saving writes those in their place. Open it anyway?").arg(path, encoding)
        : QStringLiteral("%1 enthält Bytes, die kein gültiges %2 sind. Sie erscheinen als Ersatzzeichen, und "
                         "Speichern schreibt diese an ihre Stelle. Trotzdem öffnen?").arg(path, encoding);
}

QString MessageCatalogue::charsetConflictQuestion(const QString &declared, const QString &written) const
{
    return m_english
        ? QStringLiteral("The page declares the character set %1, but it would be saved as %2, so browsers would "
                         "show some characters wrongly. Save it as %1? (No saves it as %2.)").arg(declared, written)
        : QStringLiteral("Die Seite gibt den Zeichensatz %1 an, würde aber als %2 gespeichert, sodass Browser "
                         "manche Zeichen falsch anzeigen. Als %1 speichern? (Nein speichert als %2.)").arg(declared, written);
}

QString MessageCatalogue::changedOnDiskSaveQuestion(const QString &path) const
{
    return m_english
        ? QStringLiteral("%1 was changed by another program since it was opened or last saved. Overwrite it "
                         "with your version?").arg(path)
        : QStringLiteral("%1 wurde seit dem Öffnen oder letzten Speichern von einem anderen Programm geändert. "
                         "Mit Ihrer Fassung überschreiben?").arg(path);
}

QString MessageCatalogue::changedOnDiskReloadQuestion(const QString &path, bool unsaved) const
{
    if (m_english)
        return QStringLiteral("%1 was changed by another program. Reload it?").arg(path)
            + (unsaved ? QStringLiteral(" Your unsaved changes will be lost.") : QString());
    return QStringLiteral("%1 wurde von einem anderen Programm geändert. Neu laden?").arg(path)
        + (unsaved ? QStringLiteral(" Ihre ungespeicherten Änderungen gehen dabei verloren.") : QString());
}

QString MessageCatalogue::recoveryQuestion(const QString &name) const
{
    return m_english
        ? QStringLiteral("Korvel was not closed properly last time. Unsaved changes to %1 were kept. "
                         "Recover them? (No discards them.)").arg(name)
        : QStringLiteral("Korvel wurde zuletzt nicht ordnungsgemäß beendet. Ungespeicherte Änderungen an %1 "
                         "wurden aufbewahrt. Wiederherstellen? (Nein verwirft sie.)").arg(name);
}

QString MessageCatalogue::helpFileName(int uiLanguage)
{
    return uiLanguage != 0 ? QStringLiteral("editorhlpe.chm") : QStringLiteral("editorhlp.chm");
}

} // namespace korvel
