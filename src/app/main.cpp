// Korvel, the editor: creates the main window and runs the event loop, or, with
// `--run COMMAND FILE...`, applies one source command to files without a window.
#include "app/batchmode.h"
#include "app/mainform.h"
#include "app/startoptions.h"
#include "designer/designercontroller.h"
#include "designer/inspectorcommands.h"
#include "designer/pagepropertiescommands.h"
#include "generators/generatorcommands.h"
#include "generators/formfieldcommands.h"
#include "designer/formattingcommands.h"
#include "prompt/qtprompter.h"
#include "source/sourcecommands.h"
#include "tables/tablecommands.h"

#include <QApplication>
#include <QTimer>
#include <QLocale>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

namespace {

int runWithoutWindow(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int language = QLocale::system().language() == QLocale::German ? 0 : 1;
    return korvel::runBatch(app.arguments().mid(2), language, out, err);
}

} // namespace

int main(int argc, char **argv)
{
    if (const int code = korvel::answerInfoOption(argc, argv); code >= 0)
        return code;
    if (argc > 1 && qstrcmp(argv[1], "--run") == 0)
        return runWithoutWindow(argc, argv);
    if (argc > 1 && (qstrcmp(argv[1], "--help") == 0 || qstrcmp(argv[1], "-h") == 0)) {
        QTextStream out(stdout);
        korvel::showCommandLineHelp(out);
        return 0;
    }

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
    korvel::DesignerController designer(form);
    korvel::TableCommands tables(form, designer);
    korvel::FormFieldCommands formFields(form, designer);
    korvel::FormattingCommands formatting(form, designer);
    new korvel::SourceCommands(form);  // a child of the window
    auto *generators = new korvel::GeneratorCommands(form, designer);  // a child of the window
    korvel::InspectorCommands inspector(form, designer, tables.elementActions(), &generators->FormSettings(),
                                       &formFields.formDialog());
    korvel::PagePropertiesCommands pageProperties(form, designer);
    form.setCommandLine(app.arguments().mid(1));
    form.show();
    // For the start-up benchmark: said once the shown window's first events are handled.
    if (qEnvironmentVariableIsSet("KORVEL_REPORT_READY"))
        QTimer::singleShot(0, &form, [] { std::fputs("korvel: ready\n", stderr); std::fflush(stderr); });
    return app.exec();
}
