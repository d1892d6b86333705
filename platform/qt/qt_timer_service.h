#pragma once

#include "platform/qt/backend_guard.h"
#include "platform/timers.h"

#include <QObject>

#include <functional>
#include <map>

class QTimer;

namespace platform::qt {

// Window timers as QTimers owned by `parent`; each tick calls `onTick` with the timer's id.
class QtTimerService final : public TimerService {
public:
    QtTimerService(QObject* parent, std::function<void(int id)> onTick);
    bool SetTimer(int id, std::uint32_t periodMilliseconds) override;
    void KillTimer(int id) override;

private:
    QObject* parent_;
    std::function<void(int)> onTick_;
    std::map<int, QTimer*> timers_;
};

}  // namespace platform::qt
