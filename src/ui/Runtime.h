#pragma once
// What the forms need of the platform: events, clocks, timers, dialogs,
// numbered files and the end of the program.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Files.h"
#include "ui/MsgBox.h"
#include "vb/DateTime.h"
#include "vb/Format.h"

namespace ui {

class Control;
class Timer;
class Form;
class CommonDialog;

// Thrown by End() to unwind every handler at once; caught by the event loop
// (or the test). Deliberately not derived from std::exception, so no
// catch (const std::exception&) in form code swallows it.
struct ProgramEnded {};

enum class DialogKind { Save, Open };

// The mouse pointers the forms show (Screen.MousePointer).
enum MousePointer : int { vbDefault = 0, vbHourglass = 11 };

class Runtime {
public:
    Runtime();
    virtual ~Runtime();
    Runtime(const Runtime&) = delete;
    Runtime& operator=(const Runtime&) = delete;

    // Runs everything pending: due timer ticks, user input. A view shows the
    // controls' changes at its own pace (about 30 frames a second), not per call.
    virtual void DoEvents() = 0;
    // Blocks; nothing runs meanwhile.
    virtual void Sleep(int ms) = 0;
    // A wait that lets events run: runs what is pending, then blocks until the
    // next event or until timeGetTime() reaches untilMs, whichever comes first,
    // and runs that. It may return before untilMs, so a caller loops, testing
    // its own condition (the time, a flag a handler clears) between turns.
    virtual void DoEventsUntil(std::uint32_t untilMs) = 0;
    // Runs events while cond holds, for a flag only a handler clears: one turn
    // per event, at least a tick of the clock per turn, so it never spins.
    template <class Cond> void DoEventsWhile(Cond cond)
    {
        while (cond())
            DoEventsUntil(timeGetTime() + 1);
    }
    // Millisecond clock (wraps at 2^32).
    virtual std::uint32_t timeGetTime() = 0;
    // Seconds since midnight, with fractions.
    virtual double Timer() = 0;
    virtual vb::DateTime Now() = 0;
    virtual std::string RegionalDate(const vb::DateTime& t) { return vb::RegionalDate(t); }
    virtual std::string RegionalTime(const vb::DateTime& t) { return vb::RegionalTime(t); }
    // The user's number settings: the thousands separator and the decimal point.
    virtual vb::NumberSymbols UserNumberSymbols() { return {}; }

    // Shows a message box; the answer is one of MsgBoxResult. An empty title
    // means the program's title.
    int MsgBox(std::string_view prompt, int style = vbOKOnly, std::string_view title = {});
    // Fills dlg.FileName and returns true, or returns false when cancelled.
    virtual bool FileDialog(CommonDialog& dlg, DialogKind kind) = 0;

    FileTable& files() { return files_; }
    // The box every writer shows when its file failed: what stopped, the file, the reason.
    void fileFailed(std::string_view what) { MsgBox(files_.failure(what), vbOKOnly | vbExclamation); }

    // Closes every numbered file, runs the end hooks (device handles), marks the
    // program ended and unwinds with ProgramEnded. Calls after that unwind again.
    [[noreturn]] void End();
    bool ended() const { return ended_; }
    void addEndHook(std::function<void()> hook) { endHooks_.push_back(std::move(hook)); }

    std::string appTitle;  // the program sets its name

    // A user event being handled: a click or a timer tick (the controls mark
    // theirs). Events that DoEvents runs inside a handler nest; each is an
    // operation of its own.
    class UserEvent {
    public:
        explicit UserEvent(Runtime& rt) : rt_(rt), outer_(rt.event_) { rt_.event_ = this; }
        ~UserEvent() { rt_.event_ = outer_; }
        UserEvent(const UserEvent&) = delete;
        UserEvent& operator=(const UserEvent&) = delete;

    private:
        friend class Runtime;
        Runtime& rt_;
        UserEvent* outer_;
        bool abandoned_ = false;
    };
    // The user answered a failure with "return to the GUI" (Retry of a transfer
    // the chip refused, say): what the innermost event being handled still had
    // to do is given up, so one failing operation shows one box. Events it runs
    // inside (a run, a walk) and events nested in it later are not touched.
    // Handlers test operationAbandoned() between steps; a loop that pumps events
    // tests it after the pump, when its own event is the innermost again.
    // Outside any user event there is nothing to give up.
    void abandonOperation()
    {
        if (event_)
            event_->abandoned_ = true;
    }
    bool operationAbandoned() const { return event_ && event_->abandoned_; }

    // Timer plumbing: timers register themselves and report changes.
    void registerTimer(ui::Timer& t);
    void unregisterTimer(ui::Timer& t);
    virtual void timerChanged(ui::Timer& t) = 0;
    const std::vector<ui::Timer*>& timers() const { return timers_; }

    // Form plumbing for the views.
    virtual void formShown(Form&) {}
    virtual void formHidden(Form&) {}

    // Screen.MousePointer: the pointer over every window of the program.
    void setScreenMousePointer(int pointer)
    {
        screenMousePointer_ = pointer;
        showScreenMousePointer(pointer);
    }
    int screenMousePointer() const { return screenMousePointer_; }
    // A control's Refresh: the view shows its latest state now, in the middle
    // of a handler that pumps no events.
    virtual void refresh(Control&) {}

protected:
    virtual int showMessage(std::string_view prompt, int style, std::string_view title) = 0;
    // Called by the runtimes' waits, so a handler never goes on after End.
    void throwIfEnded() const
    {
        if (ended_)
            throw ProgramEnded{};
    }
    virtual void timerRemoved(ui::Timer&) {}
    virtual void showScreenMousePointer(int /*pointer*/) {}

private:
    FileTable files_;
    bool ended_ = false;
    UserEvent* event_ = nullptr;  // the innermost event being handled
    int screenMousePointer_ = vbDefault;
    std::vector<std::function<void()>> endHooks_;
    std::vector<ui::Timer*> timers_;
};

}  // namespace ui
