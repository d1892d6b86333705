#include "platform/qt/qt_timer_service.h"

#include <QTimer>

#include <algorithm>
#include <limits>

namespace platform::qt {

QtTimerService::QtTimerService(QObject* parent, std::function<void(int)> onTick)
    : parent_(parent), onTick_(std::move(onTick)) {}

bool QtTimerService::SetTimer(int id, std::uint32_t periodMilliseconds) {
    // QTimer takes an int; a period it cannot hold is refused as the system would.
    if (periodMilliseconds > static_cast<std::uint32_t>(std::numeric_limits<int>::max())) return false;
    QTimer*& timer = timers_[id];
    if (!timer) {
        timer = new QTimer(parent_);
        QObject::connect(timer, &QTimer::timeout, parent_, [this, id] { onTick_(id); });
    }
    timer->start(static_cast<int>(std::max(periodMilliseconds, kMinTimerPeriodMilliseconds)));
    return timer->isActive();
}

void QtTimerService::KillTimer(int id) {
    const auto it = timers_.find(id);
    if (it != timers_.end()) it->second->stop();
}

}  // namespace platform::qt
