// Korvel, the editor: with `--run COMMAND FILE...` it applies one source command to files
// without a window; otherwise it loads its window library and runs the editor. The program
// itself links Qt Core only, so the batch commands start without the widget and web-engine
// libraries, whose loading alone costs more than checking a large page.
#include "app/batchmode.h"
#include "app/startoptions.h"
#include "app/windowloader.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextStream>

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
    return korvel::runWindowFromImage(argc, argv);
}
