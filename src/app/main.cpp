// Korvel, the editor: creates the main window and runs the event loop.
#include "app/mainform.h"
#include "prompt/qtprompter.h"
#include "source/sourcecommands.h"

#include <QApplication>
#include <unistd.h>

int main(int argc, char **argv)
{
    // Qt WebEngine needs its contexts shared before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Korvel"));
    QApplication::setApplicationVersion(QStringLiteral(KORVEL_VERSION));

    korvel::QtPrompter prompter;
    korvel::TMainForm form(prompter);
    prompter.setParent(&form);
    new korvel::SourceCommands(form);  // a child of the window
    form.setCommandLine(app.arguments().mid(1));
    form.show();
    return app.exec();
}
