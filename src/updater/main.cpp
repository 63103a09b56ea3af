// korvel-install: the online updater the editor starts to look for a later release.
#include "prompt/qtprompter.h"
#include "updater/tformupdate.h"
#include "updater/updatercontext.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("korvel-install"));
    QApplication::setApplicationDisplayName(QStringLiteral("Updater"));
    QApplication::setApplicationVersion(QStringLiteral(KORVEL_VERSION));

    korvel::QtPrompter prompter;
    korvel::TFormUpdate form(korvel::runningUpdaterContext(), prompter);
    prompter.setParent(&form);
    form.show();
    return app.exec();
}
