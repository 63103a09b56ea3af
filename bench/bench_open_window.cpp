// Opening a 50 MB page in the whole editor window, as `korvel FILE` does, and saving it; each
// figure beside its reference from the same run: `cat` of the file, a bare QsciScintilla given
// the file's text, an editor window without a file, and a plain write of the file's bytes.
//
// Every figure is one fresh process (this program started again with --child), the median of
// five. Time runs from the start of the process until the source view has painted the text.
// Memory is the process's resident set at that moment and its peak, besides the growth over the
// empty editor window; the engine's helper processes are counted on their own.
#include "app/filecommands.h"
#include "app/mainform.h"
#include "benchdocument.h"
#include "designer/designercontroller.h"
#include "designer/formattingcommands.h"
#include "designer/inspectorcommands.h"
#include "designer/pagepropertiescommands.h"
#include "editor/synmemo.h"
#include "generators/formfieldcommands.h"
#include "generators/generatorcommands.h"
#include "quietprompter.h"
#include "source/sourcecommands.h"
#include "tables/tablecommands.h"

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <unistd.h>

using namespace korvel;

namespace {

constexpr int kRuns = 5;
constexpr qsizetype kPageBytes = qsizetype(50) << 20;

qint64 monotonicNanoseconds()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// A field of /proc/PID/status in kB ("VmRSS", "VmHWM"), or 0.
qint64 statusKilobytes(const QString &pid, const char *field)
{
    QFile file(QStringLiteral("/proc/%1/status").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

QString parentOf(const QString &pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray stat = file.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return QString::fromLatin1(fields.value(1));
}

// The resident memory of every process below this one (the engine's helpers), in kB.
qint64 descendantsKilobytes()
{
    std::map<QString, QString> parents;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        if (!pid.isEmpty() && pid.at(0).isDigit())
            parents[pid] = parentOf(pid);
    }
    const QString self = QString::number(getpid());
    qint64 total = 0;
    for (const auto &[pid, parent] : parents) {
        for (QString up = parent; !up.isEmpty() && up != QStringLiteral("0") && up != QStringLiteral("1");
             up = parents.count(up) ? parents[up] : QString()) {
            if (up == self) {
                total += statusKilobytes(pid, "VmRSS");
                break;
            }
        }
    }
    return total;
}

// Waits for the first paint of `view` that shows text (or any paint when `needText` is false),
// then reports once the event loop is back.
class PaintWatch final : public QObject {
public:
    PaintWatch(QWidget *view, std::function<bool()> ready, std::function<void()> done)
        : m_ready(std::move(ready)), m_done(std::move(done))
    {
        view->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen && m_ready()) {
            m_seen = true;
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] { m_done(); });
        }
        return false;
    }

private:
    std::function<bool()> m_ready;
    std::function<void()> m_done;
    bool m_seen = false;
};

// The figures of the moment the text is shown, as "key=value" pairs.
QString shownFigures(qint64 startedAt)
{
    const QString self = QString::number(getpid());
    const double ms = double(monotonicNanoseconds() - startedAt) / 1e6;
    return QStringLiteral("shown_ms=%1 rss_kb=%2 hwm_kb=%3 engine_kb=%4")
        .arg(ms, 0, 'f', 1)
        .arg(statusKilobytes(self, "VmRSS"))
        .arg(statusKilobytes(self, "VmHWM"))
        .arg(descendantsKilobytes());
}

void report(const QString &figures)
{
    std::printf("%s\n", qPrintable(figures));
    std::fflush(stdout);
}

// One measured start: "window FILE", "window" (no file) or "bare FILE".
int runChild(int argc, char **argv)
{
    const qint64 startedAt = QByteArray(argv[3]).toLongLong();
    const QString mode = QString::fromLocal8Bit(argv[2]);
    const QString path = argc > 4 ? QString::fromLocal8Bit(argv[4]) : QString();
    if (mode == QStringLiteral("window") || mode == QStringLiteral("window-save")) {
        // As src/app/main.cpp builds the window; the quiet prompter stands in for the person.
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        QApplication app(argc, argv);
        bench::QuietPrompter prompter;
        TMainForm form(prompter);
        DesignerController designer(form);
        TableCommands tables(form, designer);
        FormFieldCommands formFields(form, designer);
        FormattingCommands formatting(form, designer);
        new SourceCommands(form);
        auto *generators = new GeneratorCommands(form, designer);
        InspectorCommands inspector(form, designer, tables.elementActions(), &generators->FormSettings(),
                                    &formFields.formDialog());
        PagePropertiesCommands pageProperties(form, designer);
        form.setCommandLine(path.isEmpty() ? QStringList() : QStringList{path});
        SynMemo *editor = form.editor();
        PaintWatch watch(editor->viewport(), [&] { return path.isEmpty() || editor->length() > 0; }, [&] {
            QString figures = shownFigures(startedAt);
            if (mode == QStringLiteral("window-save")) {
                editor->setModified(true);
                QElapsedTimer save;
                save.start();
                form.fileCommands().FileSave();
                figures += QStringLiteral(" save_ms=%1").arg(double(save.nsecsElapsed()) / 1e6, 0, 'f', 1);
            }
            report(figures);
            std::_Exit(0);  // the measurement is taken; the engine's shut-down is not part of it
        });
        form.show();
        return app.exec();
    }
    if (mode == QStringLiteral("bare")) {
        QApplication app(argc, argv);
        QsciScintilla view;
        view.setUtf8(true);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        view.setText(QString::fromUtf8(file.readAll()));
        PaintWatch watch(view.viewport(), [] { return true; }, [&] {
            report(shownFigures(startedAt));
            std::_Exit(0);
        });
        view.resize(1000, 700);
        view.show();
        return app.exec();
    }
    if (mode == QStringLiteral("write")) {
        // The reference for saving: the file's bytes written to a new file and flushed.
        QFile in(path);
        if (!in.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray bytes = in.readAll();
        QElapsedTimer write;
        write.start();
        QFile out(path + QStringLiteral(".copy"));
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush())
            return 1;
        out.close();
        std::printf("save_ms=%.1f\n", double(write.nsecsElapsed()) / 1e6);
        QFile::remove(path + QStringLiteral(".copy"));
        return 0;
    }
    return 2;
}

using Figures = std::map<QString, double>;

Figures parseFigures(const QByteArray &line)
{
    Figures figures;
    for (const QByteArray &pair : line.trimmed().split(' ')) {
        const qsizetype eq = pair.indexOf('=');
        if (eq > 0)
            figures[QString::fromLatin1(pair.left(eq))] = pair.mid(eq + 1).toDouble();
    }
    return figures;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Medians over kRuns fresh processes of one mode.
Figures measure(const QString &program, const QString &mode, const QString &path)
{
    std::map<QString, std::vector<double>> runs;
    for (int i = 0; i < kRuns; ++i) {
        QFile::remove(path.left(path.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".BAK"));  // each run is a first open
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QStringList arguments{QStringLiteral("--child"), mode, QString::number(monotonicNanoseconds())};
        if (!path.isEmpty())
            arguments << path;
        child.start(program, arguments);
        child.waitForFinished(120000);
        for (const auto &[key, value] : parseFigures(child.readAllStandardOutput().split('\n').value(0)))
            runs[key].push_back(value);
    }
    Figures medians;
    for (const auto &[key, values] : runs)
        medians[key] = median(values);
    return medians;
}

double catMilliseconds(const QString &path)
{
    std::vector<double> runs;
    for (int i = 0; i < kRuns; ++i) {
        QProcess cat;
        cat.setStandardOutputFile(QProcess::nullDevice());
        const qint64 start = monotonicNanoseconds();
        cat.start(QStringLiteral("cat"), {path});
        cat.waitForFinished(60000);
        runs.push_back(double(monotonicNanoseconds() - start) / 1e6);
    }
    return median(runs);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 3 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication app(argc, argv);
    QTemporaryDir dataDir;
    QTemporaryDir pages;
    // A data folder with the language chosen, so that the start asks nothing.
    qputenv("KORVEL_DATA_DIR", dataDir.path().toLocal8Bit());
    const QString path = pages.filePath(QStringLiteral("page50.html"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(bench::GenerateDocument(bench::DocumentKind::Page, kPageBytes).toUtf8()) < 0)
            return 1;
    }
    const double fileMb = double(QFile(path).size()) / (1 << 20);
    const QString program = QCoreApplication::applicationFilePath();
    measure(program, QStringLiteral("window"), {});  // seeds the data folder once

    const double cat = catMilliseconds(path);
    const Figures bare = measure(program, QStringLiteral("bare"), path);
    const Figures empty = measure(program, QStringLiteral("window"), {});
    const Figures window = measure(program, QStringLiteral("window-save"), path);
    const Figures write = measure(program, QStringLiteral("write"), path);

    const auto mb = [](double kb) { return kb / 1024; };
    const auto at = [](const Figures &f, const char *key) { return f.count(QString::fromLatin1(key)) ? f.at(QString::fromLatin1(key)) : 0.0; };
    std::printf("Opening a %.1f MB page (median of %d fresh processes)\n", fileMb, kRuns);
    std::printf("  %-38s %9.1f ms\n", "cat of the file", cat);
    std::printf("  %-38s %9.1f ms  RSS %7.1f MB  peak %7.1f MB\n", "bare QsciScintilla, text shown", at(bare, "shown_ms"),
                mb(at(bare, "rss_kb")), mb(at(bare, "hwm_kb")));
    std::printf("  %-38s %9.1f ms  RSS %7.1f MB  peak %7.1f MB  engine %6.1f MB\n", "editor window, no file",
                at(empty, "shown_ms"), mb(at(empty, "rss_kb")), mb(at(empty, "hwm_kb")), mb(at(empty, "engine_kb")));
    std::printf("  %-38s %9.1f ms  RSS %7.1f MB  peak %7.1f MB  engine %6.1f MB\n", "editor window, page shown",
                at(window, "shown_ms"), mb(at(window, "rss_kb")), mb(at(window, "hwm_kb")), mb(at(window, "engine_kb")));
    const double growth = mb(at(window, "rss_kb") - at(empty, "rss_kb"));
    const double peakGrowth = mb(at(window, "hwm_kb") - at(empty, "hwm_kb"));
    std::printf("  open time: %.2fx the bare widget, %.1fx cat; RSS growth over the empty window %.1f MB = %.2fx the file "
                "(peak growth %.2fx)\n",
                at(window, "shown_ms") / qMax(1.0, at(bare, "shown_ms")), at(window, "shown_ms") / qMax(0.1, cat),
                growth, growth / fileMb, peakGrowth / fileMb);
    std::printf("Saving it\n");
    std::printf("  %-38s %9.1f ms\n", "plain write of the file's bytes", at(write, "save_ms"));
    std::printf("  %-38s %9.1f ms  = %.2fx the plain write\n", "File Save in the editor window", at(window, "save_ms"),
                at(window, "save_ms") / qMax(0.1, at(write, "save_ms")));
    return 0;
}
