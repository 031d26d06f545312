#include "qt/QtRuntime.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <thread>

#include <QApplication>
#include <QDate>
#include <QLocale>
#include <QTime>
#include <QTimer>
#include <sys/prctl.h>

#include "qt/Dialogs.h"
#include "qt/FormWindow.h"
#include "qt/Look.h"
#include "ui/Form.h"
#include "ui/Timer.h"

namespace qt {

namespace {

QDateTime toQt(const vb::DateTime& t)
{
    return QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, t.millisecond));
}

}  // namespace

QtRuntime::QtRuntime()
{
    // A form holds hundreds of widgets side by side in one container; Qt would
    // otherwise look at every sibling above a changed widget for one that hides
    // it, so a frame would cost more the more controls a form has. The forms
    // hardly overlap, and siblings still paint in their order. Read once, at the
    // first paint, which no window has done before its runtime exists.
    if (!qEnvironmentVariableIsSet("QT_NO_SUBTRACTOPAQUESIBLINGS"))
        qputenv("QT_NO_SUBTRACTOPAQUESIBLINGS", "1");
    applyLook();
    // The program ends by End (or when the user closes its last window, see
    // endIfNoWindow), not whenever no window happens to be visible.
    QApplication::setQuitOnLastWindowClosed(false);
    // The kernel may let a sleep or a blocked wait of this thread run late by
    // its timer slack (50 µs unless set): a 1 ms Sleep would take 1.05 ms and
    // more, and the link's transfers and the runs' passes wait that often.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

QtRuntime::~QtRuntime()
{
    // The forms are gone by now: drop the windows without touching them.
    for (auto& [form, w] : windows_)
        w->abandon();
    windows_.clear();
    timers_.clear();
    if (waitCursor_)
        QApplication::restoreOverrideCursor();
}

void QtRuntime::DoEvents()
{
    throwIfEnded();
    QCoreApplication::processEvents();
    // An End run by a handler inside this pump unwinds the caller too.
    throwIfEnded();
}

void QtRuntime::Sleep(int ms)
{
    if (ms > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void QtRuntime::DoEventsUntil(std::uint32_t untilMs)
{
    DoEvents();
    using namespace std::chrono;
    const auto now = steady_clock::now();
    const auto nowMs = floor<milliseconds>(now);
    const auto left = static_cast<std::int32_t>(untilMs - msClock(now));
    if (left <= 0)
        return;
    // Blocks until an event comes (input, a timer tick, the views' frame) or
    // the millisecond clock reaches untilMs, and runs it.
    wake_.at(steady_clock::time_point(nowMs + milliseconds(left)));
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    wake_.cancel();
    throwIfEnded();
}

std::uint32_t QtRuntime::msClock(std::chrono::steady_clock::time_point t)
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(t.time_since_epoch()).count());
}

std::uint32_t QtRuntime::timeGetTime() { return msClock(std::chrono::steady_clock::now()); }

double QtRuntime::Timer() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

vb::DateTime QtRuntime::Now() { return vb::LocalNow(); }

std::string QtRuntime::RegionalDate(const vb::DateTime& t)
{
    return QLocale::system().toString(toQt(t).date(), QLocale::ShortFormat).toStdString();
}

std::string QtRuntime::RegionalTime(const vb::DateTime& t)
{
    return QLocale::system().toString(toQt(t).time(), QLocale::ShortFormat).toStdString();
}

void QtRuntime::refresh(ui::Control& c)
{
    // The frame first, so the widget holds the control's latest state; then
    // painted now, as no event may run here.
    updateViews();
    if (const FormWindow* w = window(c.form()))
        if (QWidget* widget = w->widgetOf(c); widget && widget->isVisible())
            widget->repaint();
}

void QtRuntime::showScreenMousePointer(int pointer)
{
    const bool wait = pointer == ui::vbHourglass;
    if (wait == waitCursor_)
        return;
    waitCursor_ = wait;
    if (wait)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

vb::NumberSymbols QtRuntime::UserNumberSymbols()
{
    const QLocale locale = QLocale::system();
    return {locale.groupSeparator().toStdString(), locale.decimalPoint().toStdString()};
}

QWidget* QtRuntime::dialogParent() const { return QApplication::activeWindow(); }

int QtRuntime::runModal(QDialog& d)
{
    modals_.push_back(&d);
    struct Forget {
        std::vector<QDialog*>& list;
        QDialog* d;
        ~Forget() { std::erase(list, d); }
    } forget{modals_, &d};
    return d.exec();
}

int QtRuntime::showMessage(std::string_view prompt, int style, std::string_view title)
{
    auto box = makeMessageBox(prompt, style, title, dialogParent());
    runModal(*box);
    // A timer's End while the box was open closed it: the caller goes no further.
    throwIfEnded();
    return answerOf(*box, style);
}

bool QtRuntime::FileDialog(ui::CommonDialog& dlg, ui::DialogKind kind)
{
    throwIfEnded();
    auto qd = makeFileDialog(dlg, kind, dialogParent());
    const int result = runModal(*qd);
    throwIfEnded();
    if (result != QDialog::Accepted || qd->selectedFiles().isEmpty())
        return false;
    takeChoice(*qd, dlg);
    return true;
}

void QtRuntime::timerChanged(ui::Timer& t)
{
    auto& timer = timers_[&t];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, [this, &t] { dispatch([&t] { t.fire(); }); });
    }
    if (t.active() && !ended())
        timer->start(t.Interval);  // a new interval or a re-enable starts the count again
    else
        timer->stop();
}

void QtRuntime::timerRemoved(ui::Timer& t) { timers_.erase(&t); }

void QtRuntime::formShown(ui::Form& f)
{
    auto& w = windows_[&f];
    if (!w)
        w = std::make_unique<FormWindow>(f, *this);
    w->showForm();
}

void QtRuntime::formHidden(ui::Form& f)
{
    if (FormWindow* w = window(f))
        w->hide();
}

FormWindow* QtRuntime::window(const ui::Form& f) const
{
    auto it = windows_.find(&f);
    return it == windows_.end() ? nullptr : it->second.get();
}

void QtRuntime::destroyWindows() { windows_.clear(); }

void QtRuntime::endIfNoWindow()
{
    const bool anyVisible =
        std::any_of(windows_.begin(), windows_.end(), [](const auto& w) { return w.second->isVisible(); });
    if (!anyVisible)
        dispatch([this] { End(); });
}

void QtRuntime::dispatch(const std::function<void()>& fn)
{
    if (ended())
        return;
    try {
        // Whatever the user set off (a typed text, a list choice, a window
        // closed) is an operation of its own, as clicks and ticks are.
        const UserEvent event(*this);
        fn();
    } catch (const ui::ProgramEnded&) {
        endEventLoop();
    } catch (const std::exception& e) {
        if (!ended()) {
            auto box =
                makeMessageBox(std::string("Unexpected error: ") + e.what(), ui::vbCritical, appTitle, dialogParent());
            runModal(*box);
        }
    } catch (...) {
        if (!ended()) {
            auto box = makeMessageBox("Unexpected error", ui::vbCritical, appTitle, dialogParent());
            runModal(*box);
        }
    }
}

void QtRuntime::endEventLoop()
{
    for (auto& [timer, qtimer] : timers_)
        qtimer->stop();
    for (QDialog* d : modals_)
        d->reject();
    for (auto& [form, w] : windows_)
        w->hide();
    if (inExec_)
        QCoreApplication::exit(0);
}

int QtRuntime::exec()
{
    if (ended())
        return 0;
    inExec_ = true;
    const int code = QApplication::exec();
    inExec_ = false;
    return code;
}

}  // namespace qt
