#pragma once
// Timer control: ticks every Interval ms while Enabled and Interval > 0.
// A tick never starts while the same timer's handler is still running.
#include "ui/Controls.h"

namespace ui {

class Timer : public Control {
public:
    Timer(Form& f, std::string name, int interval = 0, bool enabled = false);
    ~Timer() override;
    Prop<int> Interval{this, PropId::Interval, 0};
    Handler Tick;

    bool active() const { return Enabled && Interval > 0; }
    bool running() const { return running_; }
    // Runs the handler unless it is already running (false then, or without
    // a handler); the runtimes call this.
    bool fire();

protected:
    void onChanged(PropId id) override;
    void designRestored() override;

private:
    bool running_ = false;
};

}  // namespace ui
