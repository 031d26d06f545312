#include "qt/ViewUpdates.h"

#include <algorithm>

#include "qt/ControlView.h"

namespace qt {

ViewUpdates::ViewUpdates()
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        timedFrame_ = true;
        updateNow();
        timedFrame_ = false;
    });
}

void ViewUpdates::mark(ControlView& v)
{
    marked_.push_back(&v);
    schedule();
}

void ViewUpdates::forget(ControlView& v)
{
    std::replace(marked_.begin(), marked_.end(), &v, static_cast<ControlView*>(nullptr));
    std::replace(batch_.begin(), batch_.end(), &v, static_cast<ControlView*>(nullptr));
}

void ViewUpdates::schedule()
{
    if (timer_.isActive())
        return;
    const qint64 since = sinceFrame_.isValid() ? sinceFrame_.elapsed() : kFrameMs;
    timer_.start(static_cast<int>(std::max<qint64>(0, kFrameMs - since)));
}

void ViewUpdates::updateNow()
{
    timer_.stop();
    sinceFrame_.restart();
    ++frames_;
    // Views marked while this frame runs wait for the next one.
    batch_.swap(marked_);
    for (std::size_t i = 0; i < batch_.size(); ++i)
        if (ControlView* v = batch_[i])
            v->catchUp();
    batch_.clear();
}

}  // namespace qt
