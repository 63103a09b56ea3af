#include "app/captions.h"
#include "app/windowtitle.h"

#include <gtest/gtest.h>

using namespace korvel;
using namespace Qt::StringLiterals;

TEST(Captions, aShortcutWrittenIntoTheCaptionMovesToTheShortcutColumn)
{
    const struct {
        const char *caption;
        const char *text;
        const char *shortcut;
    } cases[] = {
        {"Undo                        CTRL+Z", "Undo", "Ctrl+Z"},
        {"Rückgängig             STRG+Z", "Rückgängig", "Ctrl+Z"},
        {"Kopieren                  STRG+C", "Kopieren", "Ctrl+C"},
        {"Suchen...                ", "Suchen...", ""},
        {"Save as...", "Save as...", ""},
        {"CTRL+Z", "CTRL+Z", ""},                // nothing before it: a caption of its own
        {"Ctrl-Taste", "Ctrl-Taste", ""},
        {"Select all  ctrl+a", "Select all", "Ctrl+A"},
    };
    for (const auto &c : cases) {
        const CaptionParts parts = splitCaption(QString::fromUtf8(c.caption));
        EXPECT_EQ(parts.text, QString::fromUtf8(c.text)) << c.caption;
        EXPECT_EQ(parts.shortcut, QString::fromUtf8(c.shortcut)) << c.caption;
    }
}

TEST(Captions, mnemonicsTakeWordInitialsFirstAndNeverRepeatALetter)
{
    const struct {
        QStringList captions;
        QString reserved;
        QStringList expected;
    } cases[] = {
        {{u"New"_s, u"Open"_s, u"Save"_s, u"Save as..."_s, u"Exit"_s}, {},
         {u"&New"_s, u"&Open"_s, u"&Save"_s, u"Save &as..."_s, u"&Exit"_s}},
        // German top menus: B is taken by "Bearbeiten", H by "HTML", X is left to Exit.
        {{u"Datei"_s, u"Bearbeiten"_s, u"HTML"_s, u"Browser/Designer"_s, u"Extras"_s, u"Hilfe"_s}, u"X"_s,
         {u"&Datei"_s, u"&Bearbeiten"_s, u"&HTML"_s, u"B&rowser/Designer"_s, u"&Extras"_s, u"H&ilfe"_s}},
        {{u"Exit"_s}, u"E"_s, {u"E&xit"_s}},
        {{u"Zoom in"_s, u"Zoom out"_s}, {}, {u"&Zoom in"_s, u"Zoom &out"_s}},
        // A caption with its own mnemonic keeps it and claims the letter.
        {{u"Print"_s, u"&1 page.html"_s, u"&Print"_s}, {}, {u"P&rint"_s, u"&1 page.html"_s, u"&Print"_s}},
        // Ampersands of the text are doubled so that they show; letters are exhausted gracefully.
        {{u"A & B"_s, u"A"_s, u"B"_s, u"-"_s, u""_s}, {}, {u"&A && B"_s, u"A"_s, u"&B"_s, u"-"_s, u""_s}},
        {{u"Öffnen"_s, u"Überschrift"_s}, {}, {u"&Öffnen"_s, u"&Überschrift"_s}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withMnemonics(c.captions, c.reserved), c.expected) << qPrintable(c.captions.join(u'|'));
}

TEST(Captions, theMnemonicMarkerComesOffAsTheMenuShowsIt)
{
    const struct {
        const char *caption;
        const char *plain;
    } cases[] = {{"&Save", "Save"}, {"Save &as...", "Save as..."}, {"&A && B", "A & B"}, {"A&", "A&"}, {"", ""}, {"&&&x", "&x"}};
    for (const auto &c : cases)
        EXPECT_EQ(withoutMnemonic(QString::fromUtf8(c.caption)), QString::fromUtf8(c.plain)) << c.caption;
}

TEST(WindowTitle, showsTheFileNameTheModifiedMarkAndTheProgram)
{
    const struct {
        const char *fileName;
        const char *title;
    } cases[] = {
        {"", "Korvel[*]"},
        {"   ", "Korvel[*]"},
        {"Untitled", "Untitled[*] \u2014 Korvel"},
        {"/home/anna/site/index.html", "index.html[*] \u2014 Korvel"},
        {"C:\\web\\page.htm", "page.htm[*] \u2014 Korvel"},
        {"https://example.org/a/", "https://example.org/a/[*] \u2014 Korvel"},
        {"/tmp/odd[*]name.html", "odd[*][*]name.html[*] \u2014 Korvel"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(documentWindowTitle(QString::fromUtf8(c.fileName), u"Korvel"_s), QString::fromUtf8(c.title)) << c.fileName;
}
