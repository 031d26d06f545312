#include "support/HeadlessRuntime.h"

#include <algorithm>
#include <cstdint>

#include "ui/CommonDialog.h"
#include "ui/Timer.h"

namespace ui {

namespace {
// Where the millisecond clock starts, so no code sees a zero time stamp.
constexpr long long kClockBase = 100000;

int defaultAnswer(int buttons)
{
    switch (buttons) {
    case vbOKOnly: return vbOK;
    case vbAbortRetryIgnore: return vbAbort;
    case vbYesNo: return vbNo;
    default: return vbCancel;
    }
}
}  // namespace

HeadlessRuntime::HeadlessRuntime(vb::DateTime start) : start_(start) {}

HeadlessRuntime::~HeadlessRuntime() = default;

void HeadlessRuntime::DoEvents()
{
    throwIfEnded();
    ++doEventsCalls_;
    ++nowMs_;
    runDue();
    throwIfEnded();
}

void HeadlessRuntime::runDue()
{
    // Test actions first, one at a time: an action may schedule more.
    for (;;) {
        auto it = actions_.begin();
        if (it == actions_.end() || it->first > nowMs_)
            break;
        auto action = std::move(it->second);
        actions_.erase(it);
        action();
    }
    // Copy: a tick may create or destroy timers.
    std::vector<ui::Timer*> timers = this->timers();
    for (ui::Timer* t : timers) {
        auto due = due_.find(t);
        if (due == due_.end() || due->second > nowMs_ || t->running())
            continue;
        due->second = nowMs_ + t->Interval;
        if (t->Tick && !t->fire())
            ++ticksHeldBack_;
    }
}

void HeadlessRuntime::DoEventsUntil(std::uint32_t untilMs)
{
    throwIfEnded();
    ++doEventsCalls_;
    const long long until = nextDue(nowMs_ + static_cast<std::int32_t>(untilMs - timeGetTime()));
    nowMs_ = std::max(until, nowMs_ + 1);
    runDue();
    throwIfEnded();
}

long long HeadlessRuntime::nextDue(long long limit) const
{
    long long next = limit;
    if (!actions_.empty())
        next = std::min(next, actions_.begin()->first);
    // A timer whose tick is still running cannot tick again meanwhile.
    for (const auto& [timer, due] : due_)
        if (!timer->running())
            next = std::min(next, due);
    return next;
}

void HeadlessRuntime::Sleep(int ms)
{
    throwIfEnded();
    if (ms > 0)
        nowMs_ += ms;
}

std::uint32_t HeadlessRuntime::timeGetTime() { return static_cast<std::uint32_t>(kClockBase + nowMs_); }

double HeadlessRuntime::Timer()
{
    double s = vb::SecondsSinceMidnight(start_) + static_cast<double>(nowMs_) / 1000.0;
    while (s >= 86400.0)
        s -= 86400.0;
    return s;
}

vb::DateTime HeadlessRuntime::Now() { return vb::AddMilliseconds(start_, nowMs_); }

void HeadlessRuntime::timerChanged(ui::Timer& t)
{
    if (t.active())
        due_[&t] = nowMs_ + t.Interval;
    else
        due_.erase(&t);
}

void HeadlessRuntime::timerRemoved(ui::Timer& t) { due_.erase(&t); }

void HeadlessRuntime::runFor(long long ms)
{
    const long long until = nowMs_ + ms;
    while (nowMs_ < until)
        DoEvents();
}

bool HeadlessRuntime::runUntil(const std::function<bool()>& pred, long long limitMs)
{
    const long long until = nowMs_ + limitMs;
    while (!pred() && nowMs_ < until)
        DoEvents();
    return pred();
}

void HeadlessRuntime::at(long long ms, std::function<void()> action) { actions_.emplace(ms, std::move(action)); }

int HeadlessRuntime::showMessage(std::string_view prompt, int style, std::string_view title)
{
    int answer = defaultAnswer(buttonsOf(style));
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    boxes_.push_back({std::string(prompt), buttonsOf(style), iconOf(style), std::string(title), answer});
    return answer;
}

bool HeadlessRuntime::FileDialog(CommonDialog& dlg, DialogKind kind)
{
    throwIfEnded();
    dialogs_.push_back({kind, dlg.DialogTitle, dlg.Filter, dlg.FileName, dlg.InitDir, dlg.DefaultExt, dlg.Flags});
    std::string answer;
    if (!fileAnswers_.empty()) {
        answer = std::move(fileAnswers_.front());
        fileAnswers_.pop_front();
    }
    if (answer.empty())
        return false;
    dlg.FileName = answer;
    return true;
}

}  // namespace ui
