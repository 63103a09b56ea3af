// The reference of the start-up benchmark: a bare QApplication with one QWebEngineView in a
// window, shown, and the same ready line as the editor prints once its shown window idles.
// It closes itself on Alt+X or when the window is closed.
#include <QApplication>
#include <QShortcut>
#include <QTimer>
#include <QWebEngineView>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QWebEngineView view;
    view.setWindowTitle(QStringLiteral("Bare view"));
    view.resize(1000, 700);
    auto *quit = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_X), &view);
    QObject::connect(quit, &QShortcut::activated, &app, &QApplication::quit);
    view.show();
    QTimer::singleShot(0, &view, [] { std::fputs("korvel: ready\n", stderr); std::fflush(stderr); });
    return app.exec();
}
