// A seeded random user on the simulated board: clicks on every control of every
// form it can see, random texts into every box, random rates, logging on and
// off, I2C off and on, random answers to every box and dialog, and random link
// faults. After each action nothing may be left stuck: no busy flag, no button
// left "Busy", the log button matching an open file, the auto-scan timer
// matching its button, no data-collection line after a refused conversion,
// no due tick held back, the cell-balance boxes matching 0x84 after a walk,
// and no pump giving up the operation (a run, say) beneath it. A program
// that ends (Cancel, Quit, a GPIB error) starts again. Every form a session
// shows is exercised without being listed; a form only a start option shows
// joins kSessions, and kForms names every form that must have been exercised.
//
// KVN_RANDOM_SEED and KVN_RANDOM_ACTIONS override the seed and the number of actions.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "chip/KVN58C3_Main.h"
#include "chip/RecordLine.h"
#include "instruments/Test.h"
#include "program/Program.h"
#include "regmap/ChipRegisters.h"
#include "shell/FormsFixture.h"
#include "shell/frmStartup.h"
#include "sim/EvalBoard.h"
#include "support/HeadlessRuntime.h"
#include "ui/CommonDialog.h"
#include "ui/Form.h"
#include "ui/Timer.h"
#include "vb/Color.h"
#include "vb/Numbers.h"

namespace {

// How a session starts: the marker files in the program folder and the first window.
struct Session {
    const char* name;
    bool engMarker;  // RI550.csv: instrument station and bridge panel at start
    bool trimMarker;  // BR549.csv: trim entry in the mode list
    bool query;  // --query: the listener query form first
};
constexpr Session kSessions[] = {
    {"start-up", false, false, false},
    {"instrument station", true, false, false},
    {"trim entry", false, true, false},
    {"listener query", false, false, true},
};

// Every built form; the run fails when one of them was never acted on.
const char* const kForms[] = {
    "frmStartup", "frmMainF340", "KVN58C3_Main", "frmInst", "Test", "Doco", "frmAbout2", "frmADUtil"};

std::uint32_t envNumber(const char* name, std::uint32_t fallback)
{
    const char* v = std::getenv(name);
    return v && *v ? static_cast<std::uint32_t>(std::strtoul(v, nullptr, 0)) : fallback;
}

// A runtime whose boxes and file dialogs answer at random, that knows which
// forms are shown, and that fails an action which never returns.
class RandomRuntime : public ui::HeadlessRuntime {
public:
    RandomRuntime(std::mt19937& rng, const forms_test::TempFolder& folder) : rng_(rng), folder_(folder) {}

    std::set<ui::Form*> shown;
    int boxesThisAction = 0;
    std::map<std::string, int> boxesSaying;  // this action's boxes by text and operation
    long long actionStartMs = 0;
    long long doEventsAtStart = 0;
    // What a user does when an action runs on and on: looks for a Stop button.
    std::function<void()> pressStop;
    // Told of every box as it is shown.
    std::function<void(std::string_view prompt)> boxShown;
    // Mostly a few seconds, now and then half a minute (set per action).
    long long patienceMs = 5000;
    // Whether a run (an A/D run, the walk) is going on, and how a check fails.
    std::function<bool()> runGoing;
    std::function<void(const std::string&)> failCheck;

    void formShown(ui::Form& f) override { shown.insert(&f); }
    void formHidden(ui::Form& f) override { shown.erase(&f); }

    void DoEvents() override
    {
        // An action that pumps for ever, or for hours of board time, is stuck.
        if (doEventsCalls() - doEventsAtStart > 3'000'000 || now() - actionStartMs > 4LL * 3600 * 1000)
            throw std::runtime_error("an action did not return");
        // A test that runs until stopped (the cell-balance walk, an A/D run)
        // gets its Stop after the user's patience, and again while it goes on.
        if (pressStop && now() - actionStartMs > patienceMs && now() >= nextStopMs_) {
            nextStopMs_ = now() + patienceMs;
            pressStop();
        }
        // A pump never gives up the operation that pumps: a failure in a tick
        // or click it runs (a status poll inside a run, say) ends that event only.
        const bool givenUp = operationAbandoned();
        const bool run = runGoing && runGoing();
        HeadlessRuntime::DoEvents();
        if (!givenUp && operationAbandoned())
            failCheck(
                std::string("a failure inside a pump gave up the ") + (run ? "run" : "operation") + " beneath it");
    }

    bool FileDialog(ui::CommonDialog& dlg, ui::DialogKind kind) override
    {
        HeadlessRuntime::FileDialog(dlg, kind);  // recorded; answers Cancel
        std::vector<std::string> choices = {"", folder_.file("missing/nowhere.txt"), folder_.file("fifo"),
            folder_.path(), "/dev/zero", "/dev/full", folder_.file("Instruments_Default.CSV"),
            folder_.file((dlg.DialogTitle == "Save Trace" ? "trace" : "log") + std::to_string(rng_() % 4) + ".txt")};
        const std::string choice = choices[rng_() % choices.size()];
        if (choice.empty())
            return false;
        dlg.FileName = choice;
        return true;
    }

protected:
    int showMessage(std::string_view prompt, int style, std::string_view title) override
    {
        ++boxesThisAction;
        if (boxShown)
            boxShown(prompt);
        // Counted per operation: the click itself, or each timer's ticks.
        std::string operation;
        for (ui::Timer* t : timers())
            if (t->running())
                operation += " " + t->name();
        ++boxesSaying[std::string(prompt) + (operation.empty() ? " (the click)" : " (tick of" + operation + ")")];
        clearBoxes();
        // Retry mostly: Cancel in a link box ends the program.
        int answer = ui::vbOK;
        const unsigned roll = rng_() % 100;
        switch (ui::buttonsOf(style)) {
        case ui::vbOKCancel: answer = roll < 70 ? ui::vbOK : ui::vbCancel; break;
        case ui::vbAbortRetryIgnore: answer = roll < 10 ? ui::vbAbort : roll < 80 ? ui::vbRetry : ui::vbIgnore; break;
        case ui::vbYesNoCancel: answer = roll < 45 ? ui::vbYes : roll < 90 ? ui::vbNo : ui::vbCancel; break;
        case ui::vbYesNo: answer = roll < 50 ? ui::vbYes : ui::vbNo; break;
        case ui::vbRetryCancel: answer = roll < 95 ? ui::vbRetry : ui::vbCancel; break;
        default: break;
        }
        answerNext(answer);
        return HeadlessRuntime::showMessage(prompt, style, title);
    }

private:
    std::mt19937& rng_;
    const forms_test::TempFolder& folder_;
    long long nextStopMs_ = 0;
};

// Texts a user might type or paste.
std::string randomText(std::mt19937& rng)
{
    static const char* const kTexts[] = {"", "0", "1", "-1", "2", "5", "60", "Min", "FF", "ff", "7f", "&H7F", "0x1F",
        "1.0", "0.5", "0.019", "0.02", "0.001", "1e-300", "-0.5", "1e308", "-1e308", "NaN", "inf", "32.8", "65536",
        "99999999999999999999", "12abc", " 3 ", "\t", "a\tb", "line\r\nbreak", "\n", "G", "100", "255", "256", "3.3",
        ",", "\"", "EOF", "\xC3\x84\xC3\x96"};
    if (rng() % 8 != 0)
        return kTexts[rng() % std::size(kTexts)];
    std::string s(rng() % 40, ' ');
    for (char& c : s)
        c = static_cast<char>(rng() % 95 + 32);
    return s;
}

bool reachable(const ui::Control& c)
{
    for (const ui::Control* at = &c; at; at = at->container())
        if (!at->Visible || !at->Enabled)
            return false;
    return true;
}

class RandomUser {
public:
    RandomUser(std::uint32_t seed) : rng_(seed) {}

    void run(std::uint32_t actions)
    {
        for (actions_ = 0; actions_ < actions; ++actions_) {
            if (!program_)
                startSession();
            act();
            if (::testing::Test::HasFatalFailure() || failures_ > 20)
                return;
        }
        endSession();
    }

    const std::map<std::string, int>& formActions() const { return formActions_; }
    int sessions() const { return sessions_; }

private:
    void startSession()
    {
        session_ = &kSessions[rng_() % std::size(kSessions)];
        std::filesystem::remove_all(folder_.path());
        std::filesystem::create_directories(folder_.path());
        ::mkfifo(folder_.file("fifo").c_str(), 0600);
        folder_.write("Instruments_Default.CSV", "DVM,22,x,Meter\r\nSMU,14,x,Source\r\nEOF\r\n");
        folder_.write("Current_Sense.txt", "Shunt Value: " + randomText(rng_) + "\r\n");
        if (session_->engMarker)
            folder_.write("RI550.csv", "");
        if (session_->trimMarker)
            folder_.write("BR549.csv", "");
        rt_ = std::make_unique<RandomRuntime>(rng_, folder_);
        rt_->pressStop = [this] { pressStopButtons(); };
        rt_->boxShown = [this](std::string_view prompt) { noteRefusedConversion(prompt); };
        rt_->runGoing = [this] { return program_ && program_->LoopRunning; };
        rt_->failCheck = [this](const std::string& what) { fail(what); };
        ProgramOptions options;
        options.appPath = folder_.path();
        options.simulate = true;
        options.seed = static_cast<std::uint32_t>(rng_());
        program_ = std::make_unique<Program>(*rt_, options);
        ++sessions_;
        guarded("start " + std::string(session_->name), [this] {
            if (session_->query)
                program_->form<instruments::Test>().Show();
            else
                program_->form<shell::frmStartup>().Show();
        });
    }

    void endSession()
    {
        program_.reset();
        rt_.reset();
        checkLogFiles();
    }

    // Every file written holds whole lines; a recording log, lines of 49 tab-separated fields.
    void checkLogFiles()
    {
        for (int i = 0; i < 4; ++i) {
            const std::string name = "log" + std::to_string(i) + ".txt";
            const std::string text = folder_.read(name);
            if (text.empty())
                continue;
            if (text.size() < 2 || text.compare(text.size() - 2, 2, "\r\n") != 0)
                fail(name + " ends in a torn line");
            // The rest is for recording logs (a data collection may have written the file).
            if (text.rfind(chip::recordHeader() + "\r\n", 0) != 0)
                continue;
            std::size_t at = 0;
            for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
                const std::string line = text.substr(at, end - at);
                if (std::count(line.begin(), line.end(), '\t') != 48 ||
                    line.find_first_of("\r\n") != std::string::npos) {
                    fail(name + " holds a line that is not 49 fields: '" + line + "'");
                    break;
                }
            }
        }
    }

    // Runs one action; an End starts a new session, anything else thrown is a fault.
    template <class F> void guarded(const std::string& what, F action)
    {
        history_.push_back(what);
        if (history_.size() > 25)
            history_.pop_front();
        rt_->boxesThisAction = 0;
        rt_->boxesSaying.clear();
        refused_.reset();
        rt_->actionStartMs = rt_->now();
        rt_->doEventsAtStart = rt_->doEventsCalls();
        rt_->patienceMs = rng_() % 10 == 0 ? 30'000 : 3000 + rng_() % 5000;
        const long long heldBack = rt_->ticksHeldBack();
        const sim::Faults& faults = program_->simBoard()->faults;
        reachableAtStart_ =
            program_->link().UsbConnected && program_->XbarEnabled && !faults.unplugged && faults.writeFailCount == 0;
        try {
            action();
        } catch (const ui::ProgramEnded&) {
            endSession();
            return;
        } catch (const std::exception& e) {
            fail(std::string("exception: ") + e.what());
            endSession();
            return;
        }
        if (rt_->ended()) {
            endSession();
            return;
        }
        if (rt_->ticksHeldBack() != heldBack)
            fail("a due timer tick was held back");
        checkNothingStuck();
    }

    void fail(const std::string& what)
    {
        ++failures_;
        std::ostringstream s;
        s << what << "\n  action " << actions_ << " of session " << sessions_ << " (" << session_->name
          << "), last actions:";
        for (const std::string& h : history_)
            s << "\n    " << h;
        ADD_FAILURE() << s.str();
    }

    void act()
    {
        const unsigned roll = rng_() % 100;
        if (roll < 55)
            return controlAction();
        if (roll < 70)
            return guarded("wait", [this] { rt_->runFor(waitMs()); });
        if (roll < 78)
            return linkFault();
        if (roll < 86)
            return chipAction();
        if (roll == 86)
            return closeWindow();
        controlAction();
    }

    // Closes the window of a shown form that can be opened again (closing the
    // chip form, the start-up form or the bridge panel ends the program).
    void closeWindow()
    {
        std::vector<ui::Form*> forms;
        for (ui::Form* f : rt_->shown)
            if (f->name() != "KVN58C3_Main" && f->name() != "frmStartup" && f->name() != "frmMainF340")
                forms.push_back(f);
        std::sort(forms.begin(), forms.end(), [](ui::Form* a, ui::Form* b) { return a->name() < b->name(); });
        if (forms.empty())
            return controlAction();
        ui::Form& form = *forms[rng_() % forms.size()];
        ++formActions_["closed " + form.name()];
        guarded("close " + form.name(), [this, &form] {
            const ui::Runtime::UserEvent event(*rt_);
            form.Unload();
            // As on the desktop: closing the last window ends the program.
            if (rt_->shown.empty())
                rt_->End();
        });
    }

    long long waitMs()
    {
        const unsigned roll = rng_() % 20;
        return roll < 14 ? rng_() % 30 + 1 : roll < 19 ? rng_() % 400 + 1 : rng_() % 3000 + 1;
    }

    // A click, a text or a choice on a control of a shown form.
    void controlAction()
    {
        // In name order, not address order, so a seed always replays the same run.
        std::vector<ui::Form*> forms(rt_->shown.begin(), rt_->shown.end());
        std::sort(forms.begin(), forms.end(), [](ui::Form* a, ui::Form* b) { return a->name() < b->name(); });
        if (forms.empty())
            return guarded("wait (no window)", [this] { rt_->runFor(waitMs()); });
        ui::Form& form = *forms[rng_() % forms.size()];
        std::vector<ui::Control*> targets;
        for (ui::Control* c : form.controls())
            if (reachable(*c) && c->kind() != ui::Kind::Timer)
                targets.push_back(c);
        if (targets.empty())
            return;
        ui::Control& c = *targets[rng_() % targets.size()];
        ++formActions_[form.name()];
        const std::string where =
            form.name() + "." + c.name() + (c.index() >= 0 ? "(" + std::to_string(c.index()) + ")" : "");
        switch (c.kind()) {
        case ui::Kind::CommandButton:
            return guarded("click " + where, [&c] { static_cast<ui::CommandButton&>(c).userClick(); });
        case ui::Kind::CheckBox: return guarded("tick " + where, [&c] { static_cast<ui::CheckBox&>(c).userClick(); });
        case ui::Kind::OptionButton:
            return guarded("choose " + where, [&c] { static_cast<ui::OptionButton&>(c).userClick(); });
        case ui::Kind::Menu: return guarded("menu " + where, [&c] { static_cast<ui::Menu&>(c).userClick(); });
        case ui::Kind::TextBox: {
            auto& box = static_cast<ui::TextBox&>(c);
            if (box.Locked)
                return;
            const std::string text = randomText(rng_);
            return guarded("type '" + text + "' into " + where, [&box, text] { box.Text = text; });
        }
        case ui::Kind::ComboBox: {
            auto& combo = static_cast<ui::ComboBox&>(c);
            if (rng_() % 2 == 0 && combo.ListCount() > 0) {
                const int i = static_cast<int>(rng_() % static_cast<unsigned>(combo.ListCount()));
                return guarded("pick " + std::to_string(i) + " of " + where, [&combo, i] {
                    combo.ListIndex = i;
                    combo.Text = combo.List(i);
                });
            }
            const std::string text = randomText(rng_);
            return guarded("type '" + text + "' into " + where, [&combo, text] { combo.Text = text; });
        }
        case ui::Kind::ListBox: {
            auto& list = static_cast<ui::ListBox&>(c);
            const int i = static_cast<int>(rng_() % static_cast<unsigned>(list.ListCount() + 1)) - 1;
            return guarded("pick " + std::to_string(i) + " of " + where, [&list, i] { list.ListIndex = i; });
        }
        case ui::Kind::TabControl: {
            auto& tab = static_cast<ui::TabControl&>(c);
            if (tab.Tabs() == 0)
                return;
            const int i = static_cast<int>(rng_() % static_cast<unsigned>(tab.Tabs()));
            return guarded("tab " + std::to_string(i) + " of " + where, [&tab, i] {
                tab.Tab = i;
                if (tab.Click)
                    tab.Click();
            });
        }
        case ui::Kind::Label: {
            auto& label = static_cast<ui::Label&>(c);
            if (label.Click)
                return guarded("click " + where, [&label] { label.Click(); });
            return;
        }
        case ui::Kind::Grid: {
            auto& grid = static_cast<ui::Grid&>(c);
            if (grid.Click)
                return guarded("click " + where, [&grid] { grid.Click(); });
            return;
        }
        default: return;
        }
    }

    // The chip form's own switches, weighted up: logging, auto scan and its rate, I2C off and on, About,
    // the data collections.
    void chipAction()
    {
        if (!program_->hasForm<chip::KVN58C3_Main>())
            return controlAction();
        chip::KVN58C3_Main& f = program_->form<chip::KVN58C3_Main>();
        if (!rt_->shown.count(&f))
            return controlAction();
        ++formActions_[f.name()];
        switch (rng_() % 9) {
        case 0: return guarded("logging button", [&f] { f.cbRecord.userClick(); });
        case 8:
            return guarded(
                "data collection", [&f, this] { (rng_() % 2 ? f.cbDataCollect : f.SampleVoltages).userClick(); });
        case 1: return guarded("auto scan button", [&f] { f.cbAutoScan.userClick(); });
        case 2: {
            const std::string rate = rng_() % 2 ? f.cbAutorate.List(static_cast<int>(rng_() % 8)) : randomText(rng_);
            return guarded("auto rate '" + rate + "'", [&f, rate] { f.cbAutorate.Text = rate; });
        }
        case 3: return guarded("menu Disable I2C", [&f] { f.mnuDisableI2C.userClick(); });
        case 4: return guarded("menu About", [&f] { f.mnuabout.userClick(); });
        case 6: return guarded("click KVN58C3_Main.cmdCBTest", [&f] { f.cmdCBTest.userClick(); });
        case 7: return guarded("FET test status sampling", [&f] { f.ChkFetToggle[4].userClick(); });
        default: return guarded("menu Enable I2C", [&f] { f.mnuEnableI2C.userClick(); });
        }
    }

    void linkFault()
    {
        sim::EvalBoard* board = program_->simBoard();
        sim::Faults& faults = board->faults;
        std::string what;
        switch (rng_() % 9) {
        case 0:
            faults = {};
            what = "no faults";
            break;
        case 1: {
            // Now, or in the middle of what the user does next (a run, say).
            const int n = static_cast<int>(rng_() % 3 + 1);
            const long long ms = rng_() % 2 ? 0 : rng_() % 5000;
            if (ms == 0)
                faults.nakOnce = n;
            else
                rt_->after(ms, [&faults, n] { faults.nakOnce = n; });
            what = "no acknowledge once, in " + std::to_string(ms) + " ms";
            break;
        }
        case 2:
            faults.nakAll = !faults.nakAll;
            what = faults.nakAll ? "chip stops acknowledging" : "chip acknowledges";
            break;
        case 3:
            faults.answerTimeoutCount = static_cast<int>(rng_() % 2 + 1);
            what = "answers lost";
            break;
        case 4:
            faults.writeFailCount = static_cast<int>(rng_() % 2 + 1);
            what = "report writes fail";
            break;
        case 5: {
            static const int kLatency[] = {0, 1, 5, 100, 6500};
            faults.latencyMs = kLatency[rng_() % std::size(kLatency)];
            what = "latency " + std::to_string(faults.latencyMs) + " ms";
            break;
        }
        case 6:
            faults.unplugged = !faults.unplugged;
            what = faults.unplugged ? "board unplugged" : "board plugged in";
            break;
        case 7: {
            // The status registers, read by ticks (the auto scan, the FET test) inside runs.
            const long long ms = rng_() % 5000 + 1;
            rt_->after(ms, [&faults] {
                faults.nakRegister = chipreg::kStatusFirst;
                faults.nakRegisterCount = 1;
            });
            what = "status read not acknowledged in " + std::to_string(ms) + " ms";
            break;
        }
        default:
            faults = {};
            what = "no faults";
            break;
        }
        guarded("link: " + what, [] {});
    }

    void pressStopButtons()
    {
        // A user does not press Stop again while the Stop pressed is still at work.
        if (pressingStop_)
            return;
        pressingStop_ = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{pressingStop_};
        for (ui::Form* form : std::vector<ui::Form*>(rt_->shown.begin(), rt_->shown.end()))
            for (ui::Control* c : form->controls())
                if (c->kind() == ui::Kind::CommandButton && c->Caption.get() == "Stop" && reachable(*c))
                    static_cast<ui::CommandButton*>(c)->userClick();
        // Tired of a data collection, the user may start the auto scan meanwhile.
        if (program_->hasForm<chip::KVN58C3_Main>()) {
            chip::KVN58C3_Main& f = program_->form<chip::KVN58C3_Main>();
            if (f.dataCollection.running() && reachable(f.cbAutoScan) && rng_() % 2 == 0)
                f.cbAutoScan.userClick();
        }
    }

    // A conversion of the running data collection refused with its box: the
    // collection's file as it was then (a nested click's boxes are not its own).
    void noteRefusedConversion(std::string_view prompt)
    {
        if (refused_ || pressingStop_ || !program_ || !program_->hasForm<chip::KVN58C3_Main>())
            return;
        chip::KVN58C3_Main& f = program_->form<chip::KVN58C3_Main>();
        if (!f.dataCollection.running() || !rt_->files().isOpen(1))
            return;
        if (!prompt.starts_with("Operation Blocked during Auto scan") && prompt != "KVN58C3 Read AD Nack")
            return;
        const std::string path = rt_->files().path(1);
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec))
            refused_ = std::pair{path, std::filesystem::file_size(path, ec)};
    }

    void checkNothingStuck()
    {
        // One failing operation, one box: Retry returns to the GUI.
        for (const auto& [box, n] : rt_->boxesSaying)
            for (const char* once : {"USB Device not connected!", "Invalid I2C address. Press Retry to return to GUI"})
                if (n > 1 && box.rfind(once, 0) == 0)
                    fail(std::to_string(n) + " boxes \"" + box + "\" in one action");
        if (refused_) {
            std::error_code ec;
            const auto size = std::filesystem::file_size(refused_->first, ec);
            if (!ec && size > refused_->second)
                fail("a data-collection line was written for a refused conversion (" + refused_->first + ")");
        }
        Program& p = *program_;
        if (p.I2CBusy)
            fail("I2CBusy left set");
        if (p.LoopRunning)
            fail("LoopRunning left set");
        for (ui::Form* form : rt_->shown)
            for (ui::Control* c : form->controls())
                if (c->kind() == ui::Kind::CommandButton && c->Caption.get() == "Busy")
                    fail("button " + form->name() + "." + c->name() + " left \"Busy\"");
        if (p.hasForm<chip::KVN58C3_Main>())
            checkChipForm(p.form<chip::KVN58C3_Main>());
    }

    void checkChipForm(chip::KVN58C3_Main& f)
    {
        const bool logOn = f.cbRecord.BackColor.get() == vb::kRunning;
        if (logOn != (f.cbRecord.Caption.get() == "Logging STOP"))
            fail("log button colour and caption disagree");
        if (logOn != rt_->files().isOpen(1))
            fail(logOn ? "log button on without an open file" : "file #1 open with the log button off");
        // Idle, the timer is enabled at interval 0 (the form design): only its ticking counts.
        const bool scanColour = f.cbAutoScan.BackColor.get() == vb::kRunning;
        if (f.cbAutoScan.Caption.get() == "Auto Scan STOP" && !(f.Timer2.active() && scanColour))
            fail("auto scan button shows STOP without its timer ticking");
        if (f.Timer2.active() && !scanColour)
            fail("auto scan timer ticking with the button idle");
        if (scanColour && !f.Timer2.active())
            fail("auto scan button running with its timer stopped");
        if (history_.back() == "click KVN58C3_Main.cmdCBTest" && reachableAtStart_)
            checkBalanceBoxes(f);
    }

    // After a walk the CB boxes show the outputs, unless the program's last
    // write of them did not reach the chip.
    void checkBalanceBoxes(chip::KVN58C3_Main& f)
    {
        sim::EvalBoard& board = *program_->simBoard();
        int lastWrite = -1;
        for (std::size_t i = board.log.size(); i-- > board.log.first() && lastWrite < 0;)
            if (board.log[i][usb::bridge::kCommandByte] == usb::bridge::kCmdI2cWrite &&
                board.log[i][4] == chipreg::kCellBalance)
                lastWrite = board.log[i][5];
        const int outputs = board.chip().peek(chipreg::kCellBalance);
        if (board.faults.unplugged || lastWrite != outputs)
            return;
        int boxes = 0;
        for (int i = 0; i < 8; ++i)
            boxes |= f.cbuCControl1[i].Value.get() == 1 ? 1 << i : 0;
        if (boxes != outputs)
            fail("after the walk the CB boxes show " + vb::Hex(boxes) + " and 0x84 holds " + vb::Hex(outputs));
    }

    std::mt19937 rng_;
    forms_test::TempFolder folder_;
    std::unique_ptr<RandomRuntime> rt_;
    std::unique_ptr<Program> program_;
    const Session* session_ = &kSessions[0];
    std::deque<std::string> history_;
    std::map<std::string, int> formActions_;
    std::uint32_t actions_ = 0;
    int sessions_ = 0;
    bool pressingStop_ = false;
    // This action's data-collection file and its size when a conversion was refused.
    std::optional<std::pair<std::string, std::uintmax_t>> refused_;
    bool reachableAtStart_ = false;  // the board connected, no report write set to fail
    int failures_ = 0;
};

TEST(RandomUser, TenThousandActionsLeaveNothingStuck)
{
    const std::uint32_t seed = envNumber("KVN_RANDOM_SEED", 20261207);
    const std::uint32_t actions = envNumber("KVN_RANDOM_ACTIONS", 10000);
    RecordProperty("seed", std::to_string(seed));
    RandomUser user(seed);
    user.run(actions);
    std::ostringstream summary;
    summary << "seed " << seed << ", " << actions << " actions, " << user.sessions() << " sessions;";
    for (const auto& [form, n] : user.formActions())
        summary << " " << form << " " << n;
    std::cout << summary.str() << "\n";
    for (const char* form : kForms)
        EXPECT_GT(user.formActions().count(form), 0u) << form << " was never acted on (" << summary.str() << ")";
}

}  // namespace
