#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

#include <chrono>

namespace orv {

// Lets the event loop run during a long job, but at most once an interval:
// a progress window stays responsive without the cost of processing events
// after every small step.
class TEventPacer {
public:
    explicit TEventPacer(std::chrono::milliseconds interval = std::chrono::milliseconds(50))
        : m_interval(interval.count())
    {
    }

    // Processes pending events on the first call and then whenever the
    // interval has passed since they were last processed; true when it did.
    bool pace()
    {
        if (m_sinceLast.isValid() && !m_sinceLast.hasExpired(m_interval))
            return false;
        QCoreApplication::processEvents();
        m_sinceLast.start();
        return true;
    }

private:
    qint64 m_interval;
    QElapsedTimer m_sinceLast;
};

} // namespace orv
