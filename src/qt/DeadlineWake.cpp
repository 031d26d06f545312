#include "qt/DeadlineWake.h"

#include <cstdint>
#include <stdexcept>

#include <QSocketNotifier>
#include <sys/timerfd.h>
#include <unistd.h>

namespace qt {

namespace {

// The steady clock counts from the same origin as CLOCK_MONOTONIC.
timespec toTimespec(std::chrono::steady_clock::time_point t)
{
    using namespace std::chrono;
    const auto ns = duration_cast<nanoseconds>(t.time_since_epoch()).count();
    // A zero time would disarm the timer instead of expiring at once.
    const auto clamped = ns > 0 ? ns : 1;
    return {static_cast<time_t>(clamped / 1'000'000'000), static_cast<long>(clamped % 1'000'000'000)};
}

}  // namespace

DeadlineWake::DeadlineWake() : fd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC))
{
    if (fd_ < 0)
        throw std::runtime_error("no timer descriptor for the event loop's waits");
}

DeadlineWake::~DeadlineWake()
{
    notifier_.reset();
    close(fd_);
}

void DeadlineWake::at(std::chrono::steady_clock::time_point t)
{
    // Made at the first wait, when the application's event loop surely exists.
    if (!notifier_) {
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        // Reading the expiry count makes the descriptor quiet again.
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
            std::uint64_t expiries = 0;
            [[maybe_unused]] const auto got = read(fd_, &expiries, sizeof expiries);
        });
    }
    const itimerspec spec{{0, 0}, toTimespec(t)};
    timerfd_settime(fd_, TFD_TIMER_ABSTIME, &spec, nullptr);
}

void DeadlineWake::cancel()
{
    const itimerspec off{};
    timerfd_settime(fd_, 0, &off, nullptr);
}

}  // namespace qt
