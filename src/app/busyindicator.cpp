#include "app/busyindicator.h"

#include <QApplication>

#include <algorithm>
#include <QEvent>
#include <QPointer>
#include <QProgressBar>
#include <QStatusBar>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace korvel {

namespace {

bool isModalWindow(const QObject *object)
{
    if (!object->isWidgetType())
        return false;
    const auto *widget = static_cast<const QWidget *>(object);
    return widget->isWindow() && widget->windowModality() != Qt::NonModal;
}

// The one state behind every indicator: how many are alive, and what shows.
class BusyState final : public QObject {
public:
    BusyState()
    {
        m_progressTimer.setSingleShot(true);
        m_progressTimer.setInterval(BusyIndicator::ProgressDelayMs);
        connect(&m_progressTimer, &QTimer::timeout, this, [this] { showProgress(); });
    }

    static BusyState &instance()
    {
        static BusyState state;
        return state;
    }

    QPointer<QStatusBar> bar;
    std::function<bool()> largeWork;

    void begin()
    {
        if (m_depth++ > 0)
            return;
        qApp->installEventFilter(this);
        m_suspended = QApplication::activeModalWidget() != nullptr;
        if (!m_suspended)
            resume();
    }

    void end()
    {
        if (m_depth == 0 || --m_depth > 0)
            return;
        qApp->removeEventFilter(this);
        suspend();
        m_suspended = false;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && isModalWindow(watched) && !m_suspended) {
            m_suspended = true;
            suspend();
        } else if (event->type() == QEvent::Hide && isModalWindow(watched) && m_suspended && !otherModalShown(watched)) {
            m_suspended = false;
            resume();
        }
        return false;
    }

private:
    static bool otherModalShown(QObject *hidden)
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        return std::any_of(windows.begin(), windows.end(), [hidden](QWidget *w) {
            return w != hidden && w->isVisible() && isModalWindow(w);
        });
    }

    void resume()
    {
        if (!m_cursorShown) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_cursorShown = true;
        }
        if (largeWork && largeWork())
            showProgress();
        else
            m_progressTimer.start();
    }

    void suspend()
    {
        m_progressTimer.stop();
        if (m_cursorShown) {
            QApplication::restoreOverrideCursor();
            m_cursorShown = false;
        }
        if (m_progress)
            m_progress->hide();
    }

    void showProgress()
    {
        if (!bar || m_suspended || m_depth == 0)
            return;
        if (!m_progress) {
            m_progress = new QProgressBar(bar);
            m_progress->setObjectName(QStringLiteral("BusyProgress"));
            m_progress->setRange(0, 0);  // no end known: the bar only moves
            m_progress->setTextVisible(false);
            m_progress->setMaximumWidth(120);
            bar->addPermanentWidget(m_progress);
        }
        m_progress->show();
        // Work without an event loop would otherwise keep the bar from being drawn.
        bar->repaint();
    }

    int m_depth = 0;
    bool m_suspended = false;
    bool m_cursorShown = false;
    QTimer m_progressTimer;
    QPointer<QProgressBar> m_progress;
};

// Ends an untilIdle() once no event loop above the one it started in is running.
void endWhenIdle(int level)
{
    QTimer::singleShot(0, qApp, [level] {
        if (QThread::currentThread()->loopLevel() > level) {
            QTimer::singleShot(20, qApp, [level] { endWhenIdle(level); });
            return;
        }
        BusyState::instance().end();
    });
}

} // namespace

BusyIndicator::BusyIndicator()
{
    BusyState::instance().begin();
}

BusyIndicator::~BusyIndicator()
{
    BusyState::instance().end();
}

void BusyIndicator::setStatusBar(QStatusBar *bar)
{
    BusyState::instance().bar = bar;
}

void BusyIndicator::setLargeWorkQuery(std::function<bool()> query)
{
    BusyState::instance().largeWork = std::move(query);
}

void BusyIndicator::untilIdle()
{
    BusyState::instance().begin();
    endWhenIdle(QThread::currentThread()->loopLevel());
}

} // namespace korvel
