#include "ui/Runtime.h"

#include <algorithm>

#include "ui/Timer.h"

namespace ui {

Runtime::Runtime() = default;
Runtime::~Runtime() = default;

int Runtime::MsgBox(std::string_view prompt, int style, std::string_view title)
{
    throwIfEnded();
    return showMessage(prompt, style, title.empty() ? std::string_view(appTitle) : title);
}

void Runtime::End()
{
    if (!ended_) {
        ended_ = true;
        files_.CloseAll();
        // Hooks release devices; one failing must not keep the others from running.
        for (auto& hook : endHooks_) {
            try {
                hook();
            } catch (...) {
            }
        }
    }
    throw ProgramEnded{};
}

void Runtime::registerTimer(ui::Timer& t)
{
    timers_.push_back(&t);
    timerChanged(t);
}

void Runtime::unregisterTimer(ui::Timer& t)
{
    std::erase(timers_, &t);
    timerRemoved(t);
}

}  // namespace ui
