#include "ui/Timer.h"

#include "ui/Form.h"
#include "ui/Runtime.h"

namespace ui {

Timer::Timer(Form& f, std::string name, int interval, bool enabled) : Control(f, Kind::Timer, std::move(name))
{
    Visible.setQuietly(false);
    Interval.setQuietly(interval);
    Control::Enabled.setQuietly(enabled);
    rt().registerTimer(*this);
}

Timer::~Timer() { rt().unregisterTimer(*this); }

void Timer::onChanged(PropId id)
{
    if (id == PropId::Enabled || id == PropId::Interval)
        rt().timerChanged(*this);
}

void Timer::designRestored() { rt().timerChanged(*this); }

void Timer::fire()
{
    // No new tick while what is running is being given up.
    if (running_ || !Tick || rt().operationAbandoned())
        return;
    const Runtime::UserEvent event(rt());
    running_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{running_};
    Tick();
}

}  // namespace ui
