#pragma once
// Brings the views up to date with their controls in one pass per frame.
//
// A property change only marks its view; the marked views catch up together at
// most once per kFrameMs, and at the first moment the event loop gets to run
// after that (a pump inside a handler or the idle loop). A value that changes
// five times within a frame is shown once, and the cost of a frame follows the
// number of changed views, not the number of controls.
#include <vector>

#include <QElapsedTimer>
#include <QTimer>

namespace qt {

class ControlView;

class ViewUpdates {
public:
    static constexpr int kFrameMs = 33;  // about 30 frames a second

    ViewUpdates();
    ViewUpdates(const ViewUpdates&) = delete;
    ViewUpdates& operator=(const ViewUpdates&) = delete;

    // The view has changes to show (called once until it caught up).
    void mark(ControlView& v);
    // The view is going away.
    void forget(ControlView& v);
    // Every marked view catches up now.
    void updateNow();
    // True while a frame of the frame clock runs (not one asked for by
    // updateNow): a view may then show a busy part at a lower rate.
    bool timedFrame() const { return timedFrame_; }

    long long frames() const { return frames_; }

private:
    void schedule();

    std::vector<ControlView*> marked_;
    std::vector<ControlView*> batch_;
    QTimer timer_;
    QElapsedTimer sinceFrame_;
    long long frames_ = 0;
    bool timedFrame_ = false;
};

}  // namespace qt
