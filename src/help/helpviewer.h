#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace korvel {

// The help window: one HTML page per context number, in German or English, shown in a
// browser pane. Context 0 is the table of contents.
class HelpViewer final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpViewer)

public:
    explicit HelpViewer(QWidget *parent = nullptr);

    // Shows the page of the context in the language (0 German, any other value English) and
    // brings the window forward. A context without a page is ignored; false then.
    bool showContext(int context, int uiLanguage);

    // The page's resource path, whether or not it exists.
    static QString pagePath(int context, int uiLanguage);

    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
};

} // namespace korvel
