#pragma once
// Wakes the event loop at a given instant, to the microsecond: a wait that
// blocks in the event loop must end when its time comes, not when the loop's
// millisecond timers would round it to.
#include <chrono>
#include <memory>

class QSocketNotifier;

namespace qt {

class DeadlineWake {
public:
    DeadlineWake();
    ~DeadlineWake();
    DeadlineWake(const DeadlineWake&) = delete;
    DeadlineWake& operator=(const DeadlineWake&) = delete;

    // The event loop wakes at t at the latest; a later call replaces it.
    void at(std::chrono::steady_clock::time_point t);
    // No wake pending any more.
    void cancel();

private:
    int fd_ = -1;  // a timer descriptor on the steady clock, readable once it expired
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace qt
