#include "app/FirstPaintReport.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace kelvara {

namespace {

// Watches the window for its first paint event. The report waits for the event loop's next
// turn, so the children painted in the same pass are done too.
class FirstPaintWatcher : public QObject
{
public:
    explicit FirstPaintWatcher(QWidget* window) : QObject(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [] {
                std::printf("%s\n", kFirstPaintLine);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

void ReportFirstPaintIfAsked(QWidget* window)
{
    if (qEnvironmentVariable(kReportFirstPaintVariable) != QLatin1String("1"))
        return;
    new FirstPaintWatcher(window);
}

} // namespace kelvara
