#pragma once
// The auto scan's run state and the scan's wait for the chip's own scan.
//
// The run state shows on cbAutoScan, where other handlers look for it: grey
// "Auto Scan START" idle, light red "Auto Scan STOP" running, light red
// "Auto Scan START" once a stop is asked for, until the next tick ends the run.
#include <cstdint>

namespace chip {

class KVN58C3_Main;

class AutoScan {
public:
    explicit AutoScan(KVN58C3_Main& form) : f_(form) {}

    // Running or stopping: the button shows light red.
    bool running() const { return state_ != State::Idle; }
    // Running and no stop asked for: the button reads "Auto Scan STOP".
    bool runningOn() const { return state_ == State::Running; }
    // The guard of a handler that must not run during an auto scan: shows the
    // "Operation Blocked" box and returns true while one runs.
    bool blocks();

    void start();
    void requestStop();
    // At the end of a tick: completes a stop that was asked for.
    void endTick();
    // Ends the run at once (the user gave up a failing scan).
    void stopNow();
    // Timer2's interval from the rate box, in ms.
    int interval() const;

    // The optional wait for the chip's own scan before a scan reads, then the
    // time-out's red indicator and pause.
    void syncWithChipScan(std::uint8_t* buffer, std::uint8_t* address);

    // True while a scan waits for the chip's own scan.
    bool SyncRun = false;
    // True when the last wait was ended by TimerSync.
    bool SyncTimeout = false;

private:
    enum class State { Idle, Running, Stopping };
    void showState();
    void waitForChipScan(std::uint8_t* buffer, std::uint8_t* address);

    KVN58C3_Main& f_;
    State state_ = State::Idle;
};

}  // namespace chip
