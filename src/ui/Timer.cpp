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

bool Timer::fire()
{
    // A tick is an operation of its own: one given up beneath it does not hold it back.
    if (running_ || !Tick)
        return false;
    const Runtime::UserEvent event(rt());
    running_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{running_};
    Tick();
    return true;
}

}  // namespace ui
