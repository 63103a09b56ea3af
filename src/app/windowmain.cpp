#include "app/windowmain.h"

#include "app/mainform.h"
#include "designer/designercontroller.h"
#include "designer/formattingcommands.h"
#include "designer/inspectorcommands.h"
#include "designer/pagepropertiescommands.h"
#include "generators/formfieldcommands.h"
#include "generators/generatorcommands.h"
#include "prompt/qtprompter.h"
#include "source/sourcecommands.h"
#include "tables/tablecommands.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

extern "C" __attribute__((visibility("default"))) int korvel_window_main(int argc, char **argv)
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
