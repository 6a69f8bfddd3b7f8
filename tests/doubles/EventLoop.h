#pragma once
#include <QCoreApplication>
#include <QEvent>
#include <QObject>

// Runs the event loop until everything posted so far has been handled, and
// what that posted in turn: a marker of the lowest priority is posted and
// the loop runs until it comes through. Three rounds, so that zero-time
// timers and the work they post are done too.
inline void SettleEvents()
{
    struct Marker : QObject {
        bool event(QEvent* e) override
        {
            if (e->type() != QEvent::User) return QObject::event(e);
            seen = true;
            return true;
        }
        bool seen = false;
    } marker;
    for (int round = 0; round < 3; ++round) {
        marker.seen = false;
        QCoreApplication::postEvent(&marker, new QEvent(QEvent::User), Qt::LowEventPriority);
        while (!marker.seen) QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}
