#pragma once
// The view of one control: a widget kept in step with the control both ways.
// The control tells the view every property change (sync); the widget's signals
// go back to the control through the runtime's dispatch (fromUser).
#include <functional>
#include <initializer_list>

#include <QPointer>
#include <QWidget>

#include "ui/Control.h"

namespace qt {

class QtRuntime;

class ControlView {
public:
    ControlView(ui::Control& c, QtRuntime& rt, QWidget* widget);
    virtual ~ControlView();
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    ui::Control& control() const { return control_; }
    QWidget* widget() const { return widget_; }
    // Where the controls this one contains are placed (a frame, a tab page).
    virtual QWidget* childArea(int /*page*/) { return widget_; }

    // Shows the control's property in the widget, without the widget's signals
    // echoing it back.
    void sync(ui::PropId id);
    void syncAll();

    // From now on the widget's signals reach nothing (the window is going away).
    void detach() { detached_ = true; }

protected:
    // The kind's own properties; the shared ones are done by sync().
    virtual void syncKind(ui::PropId id) = 0;
    // The style sheet for the control's colours; empty: the kind keeps the style's.
    virtual QString colourSheet() const { return {}; }

    // Runs the user's input in the form code, then shows the given properties
    // again (the handler may have refused or changed them).
    void fromUser(const std::function<void()>& fn, std::initializer_list<ui::PropId> resync);

    QtRuntime& rt_;

private:
    ui::Control& control_;
    QPointer<QWidget> widget_;
    bool detached_ = false;
};

}  // namespace qt
