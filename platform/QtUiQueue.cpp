#include "platform/QtUiQueue.h"

#include <QCoreApplication>

namespace platform {

void QtUiQueue::Post(std::function<void()> task)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

} // namespace platform
