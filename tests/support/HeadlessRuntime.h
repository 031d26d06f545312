#pragma once
// The runtime of the tests: a virtual clock from a fixed date and time,
// scripted dialog answers, every box recorded, actions scheduled at virtual times.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui/Runtime.h"

namespace ui {

class HeadlessRuntime : public Runtime {
public:
    // Starts at the given wall-clock date and time; the millisecond clock starts at 0.
    explicit HeadlessRuntime(vb::DateTime start = {2026, 12, 7, 9, 30, 0});
    ~HeadlessRuntime() override;

    void DoEvents() override;  // advances 1 ms, then runs what fell due
    void Sleep(int ms) override;
    // Moves the clock to untilMs or to the next action or timer tick due
    // before it (at least 1 ms, as DoEvents), then runs what fell due.
    void DoEventsUntil(std::uint32_t untilMs) override;
    std::uint32_t timeGetTime() override;
    double Timer() override;
    vb::DateTime Now() override;
    bool FileDialog(CommonDialog& dlg, DialogKind kind) override;
    void timerChanged(ui::Timer& t) override;

    vb::NumberSymbols UserNumberSymbols() override { return numberSymbols; }
    vb::NumberSymbols numberSymbols;  // the user's number settings, as a test sets them

    // Virtual time since start, in ms.
    long long now() const { return nowMs_; }
    // Moves the clock without running anything (a transfer's latency, say).
    void advance(long long ms) { nowMs_ += ms; }
    // Runs DoEvents until the virtual clock has advanced by ms.
    void runFor(long long ms);
    // Runs DoEvents until pred() holds or the time limit passes; returns pred().
    bool runUntil(const std::function<bool()>& pred, long long limitMs);

    // An action run by the first DoEvents at or after the given virtual time.
    void at(long long ms, std::function<void()> action);
    void after(long long ms, std::function<void()> action) { at(nowMs_ + ms, std::move(action)); }

    struct Box {
        std::string prompt;
        int buttons;
        int icon;
        std::string title;
        int answer;
    };
    // Answers of the next boxes, in order. Without one, a box answers OK when it
    // has only OK and Cancel otherwise (never Retry, so no test loops for ever).
    void answerNext(int answer) { answers_.push_back(answer); }
    const std::vector<Box>& boxes() const { return boxes_; }
    void clearBoxes() { boxes_.clear(); }

    // Answers of the next file dialogs: a path, or "" for Cancel. Without one, Cancel.
    void chooseFile(std::string path) { fileAnswers_.push_back(std::move(path)); }
    struct DialogRecord {
        DialogKind kind;
        std::string title, filter, fileName, initDir, defaultExt;
        int flags;
    };
    const std::vector<DialogRecord>& dialogs() const { return dialogs_; }

    // Turns of the event loop: DoEvents calls and DoEventsUntil calls.
    long long doEventsCalls() const { return doEventsCalls_; }
    // Ticks that fell due at a pump and did not run (their timer was not ticking).
    long long ticksHeldBack() const { return ticksHeldBack_; }

protected:
    int showMessage(std::string_view prompt, int style, std::string_view title) override;
    void timerRemoved(ui::Timer& t) override;

private:
    void runDue();
    // The virtual time of the next action or timer tick, if before limit; else limit.
    long long nextDue(long long limit) const;

    vb::DateTime start_;
    long long nowMs_ = 0;
    long long doEventsCalls_ = 0;
    long long ticksHeldBack_ = 0;
    std::map<ui::Timer*, long long> due_;
    std::multimap<long long, std::function<void()>> actions_;
    std::deque<int> answers_;
    std::vector<Box> boxes_;
    std::deque<std::string> fileAnswers_;
    std::vector<DialogRecord> dialogs_;
};

}  // namespace ui
