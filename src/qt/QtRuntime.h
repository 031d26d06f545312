#pragma once
// The program's runtime under Qt: the real event loop and clocks, QTimers for the
// forms' timers, real dialogs, and a window per shown form.
//
// Every call from Qt into form code (widget signals, timer ticks, window closes)
// goes through dispatch(), which keeps exceptions from crossing Qt's event loop
// and turns the program's End into the end of the event loop.
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "qt/DeadlineWake.h"
#include "qt/ViewUpdates.h"
#include "ui/Runtime.h"

class QDialog;
class QTimer;
class QWidget;

namespace qt {

class FormWindow;

class QtRuntime : public ui::Runtime {
public:
    QtRuntime();
    ~QtRuntime() override;

    void DoEvents() override;
    void Sleep(int ms) override;
    void DoEventsUntil(std::uint32_t untilMs) override;
    std::uint32_t timeGetTime() override;
    double Timer() override;
    vb::DateTime Now() override;
    std::string RegionalDate(const vb::DateTime& t) override;
    std::string RegionalTime(const vb::DateTime& t) override;
    vb::NumberSymbols UserNumberSymbols() override;
    bool FileDialog(ui::CommonDialog& dlg, ui::DialogKind kind) override;
    void timerChanged(ui::Timer& t) override;
    void formShown(ui::Form& f) override;
    void formHidden(ui::Form& f) override;
    void refresh(ui::Control& c) override;

    // Runs form code called from Qt. Does nothing once the program has ended.
    // ProgramEnded closes every window and ends the event loop; any other
    // exception is shown ("Unexpected error: ...") and the program goes on.
    void dispatch(const std::function<void()>& fn);

    // The event loop; returns when the program ends (at once if it already has).
    int exec();

    // The views catch up with their controls once per frame; updateViews
    // brings them up to date now (before a test looks at a widget, say).
    ViewUpdates& viewUpdates() { return updates_; }
    void updateViews() { updates_.updateNow(); }

    // Added to every window title (" (simulated)" on the simulated board).
    std::string titleSuffix;

    // The window of a form, or nullptr before its first Show.
    FormWindow* window(const ui::Form& f) const;
    // Destroys the windows; call while the forms they show still exist.
    void destroyWindows();
    // Ends the program (as End would) when no window is left to reach it by:
    // after the user closed a window, and after the start-up.
    void endIfNoWindow();

protected:
    int showMessage(std::string_view prompt, int style, std::string_view title) override;
    void timerRemoved(ui::Timer& t) override;
    void showScreenMousePointer(int pointer) override;

private:
    // The millisecond clock timeGetTime reads at t.
    static std::uint32_t msClock(std::chrono::steady_clock::time_point t);
    int runModal(QDialog& d);
    void endEventLoop();
    QWidget* dialogParent() const;

    ViewUpdates updates_;  // outlives the windows' views
    DeadlineWake wake_;  // ends DoEventsUntil's block on time
    std::map<const ui::Timer*, std::unique_ptr<QTimer>> timers_;
    std::map<const ui::Form*, std::unique_ptr<FormWindow>> windows_;
    std::vector<QDialog*> modals_;
    bool inExec_ = false;
    bool waitCursor_ = false;  // the hourglass is over every window
};

// Destroys the runtime's windows when it goes out of scope; declare it after the
// forms' owner so the windows go first.
class WindowsFirst {
public:
    explicit WindowsFirst(QtRuntime& rt) : rt_(rt) {}
    ~WindowsFirst() { rt_.destroyWindows(); }
    WindowsFirst(const WindowsFirst&) = delete;
    WindowsFirst& operator=(const WindowsFirst&) = delete;

private:
    QtRuntime& rt_;
};

}  // namespace qt
